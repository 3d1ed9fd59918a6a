#include "social/sound_player.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QSoundEffect>
#include <QUrl>

#include <algorithm>
#include <cctype>
#include <utility>

namespace lastling::social {

namespace {

std::string lowerCase(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

QUrl sourceOf(const QString& path) {
    return path.startsWith(QLatin1Char(':')) ? QUrl(QStringLiteral("qrc") + path)
                                             : QUrl::fromLocalFile(path);
}

void desktopAlert() {
    // QApplication::beep needs the GUI application; a program without one stays silent.
    if (qobject_cast<QApplication*>(QCoreApplication::instance())) {
        QApplication::beep();
    }
}

} // namespace

SoundPlayer::SoundPlayer(const QString& folder, Alert alert)
    : m_alert(alert ? std::move(alert) : Alert(desktopAlert)) {
    const QDir dir(folder);
    const QFileInfoList files =
        dir.entryInfoList({QStringLiteral("*.wav")}, QDir::Files, QDir::Name | QDir::IgnoreCase);
    for (const QFileInfo& file : files) {
        auto effect = std::make_unique<QSoundEffect>();
        effect->setSource(sourceOf(file.filePath()));
        m_effects[lowerCase(file.completeBaseName().toStdString())] = std::move(effect);
    }
}

SoundPlayer::~SoundPlayer() = default;

void SoundPlayer::play(const std::string& name) {
    const auto found = m_effects.find(lowerCase(name));
    if (found == m_effects.end()) {
        m_alert();
        return;
    }
    // Sounds never queue: the new one cuts the one still sounding, itself included.
    if (m_current) {
        m_current->stop();
    }
    m_current = found->second.get();
    m_current->play();
}

bool SoundPlayer::ready() const {
    return std::all_of(m_effects.begin(), m_effects.end(), [](const auto& entry) {
        return entry.second->status() == QSoundEffect::Ready;
    });
}

bool SoundPlayer::playing() const {
    return m_current && m_current->isPlaying();
}

} // namespace lastling::social
