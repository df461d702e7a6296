#include "shell/messagelog.h"
#include "support/testenvironment.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace plexo {
namespace {

std::string readFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

LogTime fifthOfMarch() {
    return {5, 3, 2026, 9, 7, 3};
}

TEST(MessageLog, WritesDatedLinesWithCrLf) {
    test::TemporaryFolder folder;
    auto path = folder / MessageLog::kFileName;
    {
        std::ofstream(path, std::ios::binary) << "ancienne ligne\r\n";
        MessageLog log(path, fifthOfMarch);
        ASSERT_TRUE(log.isFileOpen());
        log.logMessage(0, 0, kError, "Fichier 'plan.dls' introuvable", false);
        log.logMessage(3, -4, kInformation, "# Démarrage de Plexo", false);
        log.logMessage(0, 0, kInformation, "deux\nlignes", false);
    }
    EXPECT_EQ(readFile(path), "ancienne ligne\r\n"
                              "[05/03/2026 09:07:03] (0,0,1) Fichier 'plan.dls' introuvable\r\n"
                              "[05/03/2026 09:07:03] (3,-4,0) # Démarrage de Plexo\r\n"
                              "[05/03/2026 09:07:03] (0,0,0) deux lignes\r\n");
}

TEST(MessageLog, CutsLongLinesToTheBuffer) {
    const std::string prefix = "[05/03/2026 09:07:03] (0,0,0) ";
    struct Case {
        std::string text;
        std::size_t expectedLength;
    } cases[] = {
        {std::string(1000, 'x'), 499},
        {std::string(499 - prefix.size(), 'x'), 499},
        {std::string(10, 'x'), prefix.size() + 10},
        // A two-byte character across the limit is dropped whole.
        {std::string(498 - prefix.size(), 'x') + "é", 498},
    };
    for (const auto& c : cases) {
        auto line = MessageLog::formatLine(fifthOfMarch(), 0, 0, 0, c.text);
        EXPECT_EQ(line.size(), c.expectedLength);
        EXPECT_TRUE(line.starts_with(prefix));
    }
}

TEST(MessageLog, KeepsFiveHundredMessagesAndTheFileKeepsAll) {
    test::TemporaryFolder folder;
    auto path = folder / MessageLog::kFileName;
    MessageLog log(path, fifthOfMarch);
    int told = 0;
    bool lastPopUp = false;
    log.setListener([&](const Message&, bool popUp) { ++told, lastPopUp = popUp; });
    for (int i = 1; i <= 501; ++i)
        log.logMessage(0, 0, i % 2, "message " + std::to_string(i), i == 501);
    ASSERT_EQ(log.messages().size(), 500u);
    EXPECT_EQ(log.messages().front().text, "message 2");
    EXPECT_EQ(log.messages().back().text, "message 501");
    EXPECT_EQ(log.messages().back().severity, 1);
    EXPECT_EQ(told, 501);
    EXPECT_TRUE(lastPopUp);
    auto content = readFile(path);
    EXPECT_NE(content.find("(0,0,1) message 1\r\n"), std::string::npos);
    EXPECT_EQ(std::count(content.begin(), content.end(), '\n'), 501);
}

TEST(MessageLog, AFileThatCannotBeOpenedIsSkipped) {
    test::TemporaryFolder folder;
    MessageLog log(folder / "absent" / MessageLog::kFileName, fifthOfMarch);
    EXPECT_FALSE(log.isFileOpen());
    log.logMessage(0, 0, kError, "toujours dans la liste", true);
    ASSERT_EQ(log.messages().size(), 1u);
    EXPECT_EQ(log.messages().front().text, "toujours dans la liste");
    EXPECT_FALSE(std::filesystem::exists(folder / "absent"));
}

TEST(MessageLog, ReceivesLogMessageOnceInstalled) {
    test::TemporaryFolder folder;
    MessageLog log(folder / MessageLog::kFileName, fifthOfMarch);
    LogSink* previous = logSink();
    setLogSink(&log);
    logError("*** erreur", false);
    setLogSink(previous);
    ASSERT_EQ(log.messages().size(), 1u);
    EXPECT_EQ(log.messages().front().severity, kError);
}

} // namespace
} // namespace plexo
