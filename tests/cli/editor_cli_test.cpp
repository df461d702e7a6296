// The editor started as the user starts it: --version, --help, and the
// single-instance hand-over between two real processes.
#include "support/testenvironment.h"

#include <QProcess>
#include <QProcessEnvironment>
#include <QThread>

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace plexo {
namespace {

std::string readText(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

int count(const std::string& text, const std::string& part) {
    int found = 0;
    for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at + part.size()))
        ++found;
    return found;
}

// Waits until the file holds part at least `times` times.
bool waitForText(const std::filesystem::path& path, const std::string& part, int times = 1,
                 int seconds = 60) {
    auto end = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
    while (std::chrono::steady_clock::now() < end) {
        if (count(readText(path), part) >= times)
            return true;
        QThread::msleep(50);
    }
    return false;
}

class Editor {
public:
    explicit Editor(const std::filesystem::path& home, QStringList arguments = {},
                    const std::filesystem::path& folder = {}) {
        auto environment = QProcessEnvironment::systemEnvironment();
        environment.insert("QT_QPA_PLATFORM", "offscreen");
        environment.insert("PLEXO_HOME", QString::fromStdString(home.string()));
        process.setProcessEnvironment(environment);
        process.setProcessChannelMode(QProcess::MergedChannels);
        if (!folder.empty())
            process.setWorkingDirectory(QString::fromStdString(folder.string()));
        process.start(PLEXO_EXECUTABLE, arguments);
        process.waitForStarted(10000);
    }
    ~Editor() {
        if (process.state() != QProcess::NotRunning) {
            process.kill();
            process.waitForFinished(10000);
        }
    }
    QProcess process;
};

constexpr const char* kStarted = "# Démarrage de Plexo";
constexpr const char* kHandedOver = "Document transmis par une autre instance de Plexo : ";

TEST(EditorCommandLine, VersionAndHelp) {
    QProcess version;
    version.start(PLEXO_EXECUTABLE, {"--version"});
    ASSERT_TRUE(version.waitForFinished(30000));
    EXPECT_EQ(version.exitCode(), 0);
    EXPECT_EQ(version.readAllStandardOutput().toStdString(), "Plexo v1.0.5\n");

    QProcess help;
    help.start(PLEXO_EXECUTABLE, {"--help"});
    ASSERT_TRUE(help.waitForFinished(30000));
    EXPECT_EQ(help.exitCode(), 0);
    std::string text = help.readAllStandardOutput().toStdString();
    EXPECT_NE(text.find("plexo [FICHIER.dls|FICHIER.mid ...]"), std::string::npos) << text;
    EXPECT_NE(text.find("\".dls\""), std::string::npos);
    EXPECT_NE(text.find("plexo --version"), std::string::npos);
    EXPECT_NE(text.find("PLEXO_HOME"), std::string::npos);
}

TEST(EditorCommandLine, SecondInstanceHandsItsFileOverAndStops) {
    test::TemporaryFolder home;
    test::TemporaryFolder other;
    const auto log = home / "Plexo.log.txt";
    Editor first(home.path());
    ASSERT_TRUE(waitForText(log, kStarted)) << first.process.readAll().toStdString();

    // "plan" typed in the work folder: the first instance receives the long form.
    QProcess second;
    auto environment = QProcessEnvironment::systemEnvironment();
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    environment.insert("PLEXO_HOME", QString::fromStdString(home.path().string()));
    second.setProcessEnvironment(environment);
    second.setWorkingDirectory(QString::fromStdString(other.path().string()));
    second.start(PLEXO_EXECUTABLE, {"plan"});
    ASSERT_TRUE(second.waitForFinished(30000));
    EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second.exitCode(), 0);

    const std::string expected = kHandedOver + (std::filesystem::canonical(other.path()) / "plan").string();
    EXPECT_TRUE(waitForText(log, expected)) << readText(log);
    // The second process built no application: one start in the log.
    EXPECT_EQ(count(readText(log), kStarted), 1);
    EXPECT_EQ(first.process.state(), QProcess::Running);

    // An editor on another home folder is a separate instance.
    const auto otherLog = other / "Plexo.log.txt";
    {
        Editor separate(other.path());
        EXPECT_TRUE(waitForText(otherLog, kStarted));
    }

    // An editor that died leaves its socket behind: the next one starts anyway.
    first.process.kill();
    first.process.waitForFinished(10000);
    Editor next(home.path());
    EXPECT_TRUE(waitForText(log, kStarted, 2)) << readText(log);
}

} // namespace
} // namespace plexo
