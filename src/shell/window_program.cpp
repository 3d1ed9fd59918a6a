#include "shell/window_program.h"

#include "net/event_errors.h"
#include "shell/cursor_blink_limit.h"
#include "shell/error_box.h"
#include "shell/main_window.h"
#include "shell/single_instance.h"

#include <QApplication>
#include <QPointer>
#include <QProcess>

namespace lastling::shell {

WindowProgram::WindowProgram(WindowOptions options)
    : m_options(std::move(options)), m_startCopy([](const QStringList& params) {
          return QProcess::startDetached(QCoreApplication::applicationFilePath(), params);
      }) {}

WindowProgram::~WindowProgram() {
    setEventErrorSink(nullptr);
    m_window.reset();
    m_blinkLimit.reset();
}

bool WindowProgram::start() {
    if (m_options.singleInstance) {
        const QString name = m_options.instanceName.isEmpty() ? SingleInstance::defaultName()
                                                              : m_options.instanceName;
        m_instance = std::make_unique<SingleInstance>(name);
        if (!m_instance->claim()) {
            return false;
        }
    }
    m_window = std::make_unique<MainWindow>(m_options);
    QPointer<MainWindow> window = m_window.get();
    setEventErrorSink([window](const std::string& message) {
        showErrorBox(window.data(),
                     QString::fromLatin1(message.data(), static_cast<qsizetype>(message.size())));
    });
    if (m_instance) {
        QObject::connect(m_instance.get(), &SingleInstance::raiseRequested, m_window.get(),
                         [window] {
                             if (window->isMinimized()) {
                                 window->showNormal();
                             }
                             window->raise();
                             window->activateWindow();
                         });
    }
    m_window->setTableRestarter([this](const QStringList& params) {
        m_restartParams = params;
        m_restart = true;
        m_window->close(); // a normal end: the place is saved, the run ends
    });
    m_blinkLimit = std::make_unique<CursorBlinkLimit>();
    m_window->show();
    return true;
}

bool WindowProgram::finish() {
    if (!m_restart) {
        return true;
    }
    m_restart = false;
    // The new copy must find the game port and the single-instance name free.
    setEventErrorSink(nullptr);
    m_window.reset();
    m_instance.reset();
    return m_startCopy(m_restartParams);
}

std::vector<std::string> latin1Params(int argc, char** argv) {
    std::vector<std::string> params;
    for (int i = 1; i < argc && argv[i] != nullptr; ++i) {
        const QByteArray bytes = QString::fromLocal8Bit(argv[i]).toLatin1();
        params.emplace_back(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    }
    return params;
}

} // namespace lastling::shell
