#include "social/sound_player.h"

#include "social/sound_wave.h"
#include "wave_file.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

// The real SoundPlayer, heard: a private PulseAudio server with a null sink, whose monitor
// `parec` records while the player plays.
namespace lastling::audio_testing {
namespace {

constexpr int kRate = 22050;
const QString kSink = QStringLiteral("lastling_test");

bool waitFor(const std::function<bool()>& done, int ms) {
    QDeadlineTimer deadline(ms);
    while (!done()) {
        if (deadline.hasExpired()) {
            return false;
        }
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QTest::qSleep(10);
    }
    return true;
}

// pulseaudio in its own runtime folder, so it runs beside any other server, also as root.
class PrivatePulse {
public:
    ~PrivatePulse() {
        if (m_server.state() != QProcess::NotRunning) {
            m_server.terminate();
            if (!m_server.waitForFinished(3000)) {
                m_server.kill();
                m_server.waitForFinished(3000);
            }
        }
    }

    // Empty when the server answers, else why it does not.
    QString start() {
        if (!m_dir.isValid()) {
            return QStringLiteral("no temporary folder");
        }
        const QString script = m_dir.filePath(QStringLiteral("test.pa"));
        QFile file(script);
        if (!file.open(QIODevice::WriteOnly)) {
            return QStringLiteral("cannot write ") + script;
        }
        file.write(QStringLiteral("load-module module-null-sink sink_name=%1\n"
                                  "load-module module-native-protocol-unix socket=%2 "
                                  "auth-anonymous=1\n"
                                  "set-default-sink %1\n")
                       .arg(kSink, socket())
                       .toUtf8());
        file.close();

        QProcessEnvironment env = environment();
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), m_dir.path());
        m_server.setProcessEnvironment(env);
        m_server.setProcessChannelMode(QProcess::MergedChannels);
        m_server.start(QStringLiteral("pulseaudio"),
                       {QStringLiteral("--daemonize=no"), QStringLiteral("--system=false"),
                        QStringLiteral("--exit-idle-time=-1"), QStringLiteral("-n"),
                        QStringLiteral("--use-pid-file=false"), QStringLiteral("-F"), script});
        if (!m_server.waitForStarted(5000)) {
            return QStringLiteral("pulseaudio does not start: ") + m_server.errorString();
        }
        const bool answers =
            waitFor([this] { return run(QStringLiteral("pactl"), {"info"}); }, 10000);
        if (!answers) {
            return QStringLiteral("pulseaudio does not answer: ") +
                   QString::fromLocal8Bit(m_server.readAll());
        }
        return {};
    }

    QString socket() const { return m_dir.filePath(QStringLiteral("native")); }
    QString address() const { return QStringLiteral("unix:") + socket(); }

    QProcessEnvironment environment() const {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("PULSE_SERVER"), address());
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), m_dir.path());
        env.insert(QStringLiteral("HOME"), m_dir.path());
        return env;
    }

    // A pulse client run to its end; true when it succeeded.
    bool run(const QString& program, const QStringList& arguments,
             QByteArray* output = nullptr) const {
        QProcess process;
        process.setProcessEnvironment(environment());
        process.start(program, arguments);
        if (!process.waitForFinished(5000)) {
            process.kill();
            process.waitForFinished(1000);
            return false;
        }
        if (output) {
            *output = process.readAllStandardOutput();
        }
        return process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
    }

private:
    QTemporaryDir m_dir;
    QProcess m_server;
};

// One file's audible length: from its first to its last sample above a tenth of its peak.
double fileSpan(const std::string& name, double& threshold) {
    const QByteArray bytes = resourceBytes(name);
    const auto wave = social::parseWave({bytes.constData(), std::size_t(bytes.size())});
    if (!wave) {
        return 0.0;
    }
    const std::vector<double> samples = firstChannel(*wave);
    threshold = peak(samples) / 10;
    return loudSpan(samples, wave->rate, threshold);
}

struct Step {
    std::string name;
    int afterMs; // wait after starting it
};

struct OutputCase {
    const char* label;
    std::vector<Step> steps;
    std::string measuredBy; // the file whose threshold the recording is read with
    double extraSeconds;    // expected span beyond that file's audible length
    double shortBy;         // how much shorter the recording may be (timing between sounds)
};

void PrintTo(const OutputCase& c, std::ostream* os) {
    *os << c.label;
}

// One application and one server for the whole process, made before the first test and
// ended after the last: Qt Multimedia connects once and stays connected.
class AudioEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        static int argc = 1;
        static char name[] = "sound_output_test";
        static char* argv[] = {name, nullptr};
        s_app = std::make_unique<QCoreApplication>(argc, argv);
        s_pulse = std::make_unique<PrivatePulse>();
        s_problem = s_pulse->start();
        // The player reaches the server the way every pulse client does.
        qputenv("PULSE_SERVER", s_pulse->address().toUtf8());
        qputenv("XDG_RUNTIME_DIR", s_pulse->environment().value("XDG_RUNTIME_DIR").toUtf8());
    }

    void TearDown() override {
        s_pulse.reset();
        s_app.reset();
    }

    static std::unique_ptr<QCoreApplication> s_app;
    static std::unique_ptr<PrivatePulse> s_pulse;
    static QString s_problem;
};

std::unique_ptr<QCoreApplication> AudioEnvironment::s_app;
std::unique_ptr<PrivatePulse> AudioEnvironment::s_pulse;
QString AudioEnvironment::s_problem;

// gtest owns the environment.
const ::testing::Environment* const kAudio =
    ::testing::AddGlobalTestEnvironment(new AudioEnvironment);

class SoundOutput : public ::testing::TestWithParam<OutputCase> {
protected:
    void SetUp() override {
        ASSERT_TRUE(AudioEnvironment::s_problem.isEmpty())
            << "could not start a private PulseAudio server (Debian packages pulseaudio and "
               "pulseaudio-utils): "
            << AudioEnvironment::s_problem.toStdString();
    }

    // Records the sink's monitor with parec. A stream of silence keeps the sink running, so
    // the recording runs on without gaps from the moment its first bytes come.
    void startRecording() {
        const QStringList raw{QStringLiteral("--raw"), QStringLiteral("--format=s16le"),
                              QStringLiteral("--rate=%1").arg(kRate),
                              QStringLiteral("--channels=1"), QStringLiteral("--latency-msec=20")};
        m_silence.setProcessEnvironment(AudioEnvironment::s_pulse->environment());
        m_silence.start(QStringLiteral("pacat"), raw + QStringList{QStringLiteral("/dev/zero")});
        m_recorder.setProcessEnvironment(AudioEnvironment::s_pulse->environment());
        m_recorder.start(QStringLiteral("parec"),
                         raw +
                             QStringList{QStringLiteral("-d"), kSink + QStringLiteral(".monitor")});
        ASSERT_TRUE(m_silence.waitForStarted(5000)) << "pacat does not start";
        ASSERT_TRUE(m_recorder.waitForStarted(5000)) << "parec does not start";
        const bool flowing =
            waitFor([this] { return m_recorder.bytesAvailable() >= kRate / 5; }, 10000);
        ASSERT_TRUE(flowing) << "nothing comes from the sink's monitor";
        m_recorder.readAllStandardOutput(); // only silence so far
    }

    std::vector<double> stopRecording() {
        QByteArray bytes = m_recorder.readAllStandardOutput();
        for (QProcess* process : {&m_recorder, &m_silence}) {
            process->terminate();
            process->waitForFinished(3000);
        }
        bytes += m_recorder.readAllStandardOutput();
        std::vector<double> samples;
        for (qsizetype at = 0; at + 1 < bytes.size(); at += 2) {
            const auto low = static_cast<unsigned char>(bytes[at]);
            const auto high = static_cast<unsigned char>(bytes[at + 1]);
            samples.push_back(double(static_cast<std::int16_t>(high << 8 | low)) / 32768.0);
        }
        return samples;
    }

    QProcess m_silence;
    QProcess m_recorder;
};

TEST_P(SoundOutput, SoundsOfTheFilesLengthComeOut) {
    const OutputCase& c = GetParam();
    int alerts = 0;
    social::SoundPlayer player(social::SoundPlayer::defaultFolder(), [&alerts] { ++alerts; });
    ASSERT_EQ(player.count(), 28);
    // The first stream of a process may take a moment to get going: not what is measured.
    player.play("turn");
    ASSERT_TRUE(waitFor([&] { return !player.playing(); }, 5000)) << "the first sound never ended";

    startRecording();
    for (const Step& step : c.steps) {
        player.play(step.name);
        QDeadlineTimer until(step.afterMs);
        waitFor([&] { return until.hasExpired(); }, step.afterMs + 1000);
    }
    EXPECT_TRUE(waitFor([&] { return !player.playing(); }, 5000)) << "never finished";
    QDeadlineTimer tail(200); // what is still on its way through the server
    waitFor([&] { return tail.hasExpired(); }, 1200);
    const std::vector<double> recorded = stopRecording();

    double threshold = 0.0;
    const double expected = fileSpan(c.measuredBy, threshold) + c.extraSeconds;
    ASSERT_GT(expected, 0.0);
    const double heard = loudSpan(recorded, kRate, threshold);
    // A lost end makes it shorter; a device running dry for a moment only makes it longer.
    const std::string figures = "recorded " + std::to_string(double(recorded.size()) / kRate) +
                                " s, peak " + std::to_string(peak(recorded));
    EXPECT_GE(heard, expected - c.shortBy) << figures;
    EXPECT_LE(heard, expected + 0.15 + 0.2 * expected) << figures;
    EXPECT_EQ(alerts, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Speaker, SoundOutput,
    ::testing::Values(
        OutputCase{"CardPlaced", {{"placecard", 0}}, "placecard", 0.0, 0.03},
        OutputCase{"CoughInAnyCase", {{"WAVE2", 0}}, "wave2", 0.0, 0.03},
        // Applause cut short by a card: the applause stops at once, the card is heard whole.
        OutputCase{
            "NewSoundCutsTheOld", {{"wave13", 500}, {"placecard", 0}}, "placecard", 0.5, 0.1}),
    [](const auto& info) { return std::string(info.param.label); });

TEST_F(SoundOutput, UnknownNameSoundsTheAlertInstead) {
    int alerts = 0;
    social::SoundPlayer player(social::SoundPlayer::defaultFolder(), [&alerts] { ++alerts; });
    player.play("nosuchsound");
    player.play("wave21");
    EXPECT_EQ(alerts, 2);
    EXPECT_FALSE(player.playing());
}

} // namespace
} // namespace lastling::audio_testing
