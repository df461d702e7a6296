#include "jcl/jclreader.h"
#include "jclrecordingsink.h"
#include "support/testenvironment.h"

#include <gtest/gtest.h>

#include <fstream>

namespace plexo {
namespace {

using test::RecordedChunk;
using test::RecordedFile;

constexpr const char* kCannotRead = "*** Impossible de lire le fichier";
constexpr const char* kNotCompatible = "*** Le fichier n'est pas compatible";
constexpr const char* kReadError = "*** Erreur de lecture";

void writeFile(const std::filesystem::path& path, std::string_view bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string stepsText(int first, int last) {
    std::string text;
    for (int i = first; i <= last; ++i)
        text += "// EXEC PGM" + std::to_string(i) + ",SIZE=AUTO\n";
    return text;
}

// Reads a JCL text through a file, as the editor does.
struct Import {
    explicit Import(std::string_view text, const std::string& name = "JOB.jcl") {
        path = folder / name;
        writeFile(path, text);
        reader.setSink(&sink);
        ok = reader.importJclFile(path);
    }
    int errors(std::string_view text) const {
        int count = 0;
        for (const auto& m : log.messages)
            if (m.text == text) {
                EXPECT_EQ(m.severity, 1) << text;
                EXPECT_TRUE(m.popUp) << text;
                EXPECT_EQ(m.code1, 0);
                EXPECT_EQ(m.code2, 0);
                ++count;
            }
        return count;
    }
    const RecordedChunk& only() const {
        EXPECT_EQ(sink.chunks.size(), 1u);
        static const RecordedChunk none;
        return sink.chunks.empty() ? none : sink.chunks.front();
    }

    test::TemporaryFolder folder;
    test::RecordingLog log;
    test::RecordingSink sink;
    JclReader reader;
    std::filesystem::path path;
    bool ok = false;
};

bool sameFile(const RecordedFile& a, const RecordedFile& b) {
    return a.ddName == b.ddName && a.fileId == b.fileId && a.isVsam == b.isVsam && a.isTape == b.isTape &&
           a.step == b.step;
}

void expectFiles(const RecordedChunk& chunk, const std::vector<RecordedFile>& expected) {
    ASSERT_EQ(chunk.files.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i)
        EXPECT_TRUE(sameFile(chunk.files[i], expected[i]))
            << "file " << i << ": " << chunk.files[i].ddName << " '" << chunk.files[i].fileId << "' step "
            << chunk.files[i].step;
}

TEST(JclReader, FileStatementsAreKeptDroppedOrRefused) {
    Import job("// DLBL SORTWK1,'WORK.FILE',0,SD\n"
               "// DLBL MASTER,'PROD.MASTER.FILE',99/365,VSAM\n"
               "// TLBL SAVE1\n"
               "// DLBL SAVE1\n"
               "// DLBL ,'NO.NAME',0,SD\n"
               "// TLBL ,'NO.NAME'\n"
               "// DLBL SORTWK2\n"
               "// dlbl lower,'LOWER.CASE',0,SD\n"
               "// EXEC PGMA\n");
    EXPECT_TRUE(job.ok);
    expectFiles(job.only(), {{"MASTER", "PROD.MASTER.FILE", true, false, 0}, {"SAVE1", "", false, true, 0}});
    // DLBL without file id, the two statements without name and the sort work
    // file without file id (the errors are checked before the sort work files).
    EXPECT_EQ(job.errors(kReadError), 4);
}

TEST(JclReader, StepsTakeTheFilesDeclaredBeforeThemAndThePendingLabel) {
    Import job("/. FIN\n"
               "// DLBL IN1,'A.B',0,SD\n"
               "// EXEC PGMX,SIZE=AUTO\n"
               "// DLBL OUT1,'C.D',0,SD\n"
               "// DLBL OUT2,'E.F',0,SD\n"
               "// EXEC PGMY\n"
               "/. RESTART01X\n"
               "// EXEC\n"      // no program: dropped, the label waits for the next step
               "// exec pgml\n" // lower case: ignored
               "// EXEC PGMZ\n"
               "/. LOST\n");
    EXPECT_TRUE(job.ok);
    const RecordedChunk& chunk = job.only();
    EXPECT_EQ(chunk.programs, (std::vector<std::string>{"PGMX", "PGMY", "PGMZ"}));
    EXPECT_EQ(chunk.labels, (std::vector<std::string>{"FIN", "", "RESTART01"}));
    expectFiles(chunk, {{"IN1", "A.B", false, false, 0},
                        {"OUT1", "C.D", false, false, 1},
                        {"OUT2", "E.F", false, false, 1}});
    EXPECT_EQ(job.errors(kReadError), 1);
}

TEST(JclReader, DliParameterRenamesOnlyTheDlzControllerStep) {
    Import job("DLI,BEFORE,ANY\n"
               "// EXEC DLZRRC00,SIZE=AUTO\n"
               "DLI, CUSTUPD , CUSTPSB\n"
               "// EXEC PAYCALC\n"
               "DLI,OTHER,PSB\n"
               "// EXEC DLZBATCH\n"
               "DLI,   \n");
    EXPECT_TRUE(job.ok);
    EXPECT_EQ(job.only().programs, (std::vector<std::string>{"CUSTUPD,CUSTPSB", "PAYCALC", "DLZBATCH"}));
    EXPECT_EQ(job.errors(kReadError), 1);
}

TEST(JclReader, DataSetWrittenOnceAndReadTwiceIsRecordedPerStatement) {
    Import job("// DLBL EXTRACT,'PROD.CUSTOMER.EXTRACT',0,SD\n"
               "// EXEC CUSTEXT\n"
               "// DLBL INPUT,'PROD.CUSTOMER.EXTRACT',0,SD\n"
               "// EXEC CUSTRPT\n"
               "// DLBL CUSTIN,'PROD.CUSTOMER.EXTRACT',0,SD\n"
               "// DLBL LISTING,'PROD.CUSTOMER.LIST',0,SD\n"
               "// EXEC CUSTLST\n");
    expectFiles(job.only(), {{"EXTRACT", "PROD.CUSTOMER.EXTRACT", false, false, 0},
                             {"INPUT", "PROD.CUSTOMER.EXTRACT", false, false, 1},
                             {"CUSTIN", "PROD.CUSTOMER.EXTRACT", false, false, 2},
                             {"LISTING", "PROD.CUSTOMER.LIST", false, false, 2}});
}

TEST(JclReader, ChunksOfFiftySteps) {
    // 120 steps: three folios, numbered after the job with "/2" and "/3"; the
    // files and the label read after the 50th step go with the 51st.
    std::string text = stepsText(1, 50) + "/. NEXT\n// DLBL F51,'F.51',0,SD\n" + stepsText(51, 120);
    Import job(text, "NIGHTLY.jcl");
    ASSERT_EQ(job.sink.chunks.size(), 3u);
    const std::size_t sizes[] = {50, 50, 20};
    const char* numbers[] = {"NIGHTLY", "NIGHTLY/2", "NIGHTLY/3"};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(job.sink.chunks[i].programs.size(), sizes[i]);
        EXPECT_EQ(job.sink.chunks[i].folioNumber, numbers[i]);
        EXPECT_EQ(job.sink.chunks[i].programs.front(), "PGM" + std::to_string(50 * i + 1));
    }
    EXPECT_EQ(job.sink.chunks[0].labels.back(), "");
    EXPECT_EQ(job.sink.chunks[1].labels.front(), "NEXT");
    expectFiles(job.sink.chunks[1], {{"F51", "F.51", false, false, 0}});
    EXPECT_EQ(job.reader.summary().foliosDrawn, 3);
    EXPECT_EQ(job.reader.stepCount(), 0);
    EXPECT_EQ(job.reader.fileCount(), 0);
}

TEST(JclReader, JobOfExactlyFiftyStepsIsOneFolioWithoutError) {
    // The DL/I parameter of the 50th step still renames it before the drawing.
    Import job(stepsText(1, 49) + "// EXEC DLZRRC00,SIZE=AUTO\nDLI,LASTPGM,PSB\n/*\n/&\n");
    ASSERT_EQ(job.sink.chunks.size(), 1u);
    EXPECT_EQ(job.sink.chunks[0].programs.size(), 50u);
    EXPECT_EQ(job.sink.chunks[0].programs.back(), "LASTPGM,PSB");
    EXPECT_EQ(job.log.messages.size(), 1u); // "Importation de ..." alone
}

TEST(JclReader, FilesAfterTheLastStepAreLeftOutWithAWarning) {
    Import job("// EXEC PGMA\n// DLBL TRAILER,'X.Y',0,SD\n");
    EXPECT_TRUE(job.only().files.empty());
    EXPECT_TRUE(job.log.contains("Attention, fichier sans programme ignoré : TRAILER"));

    Import none("// DLBL ONLY,'X.Y',0,SD\n/&\n");
    // A text without any step still goes to the drawing, which reports it.
    ASSERT_EQ(none.sink.chunks.size(), 1u);
    EXPECT_TRUE(none.sink.chunks[0].programs.empty());
    EXPECT_EQ(none.reader.summary().foliosDrawn, 0);
}

TEST(JclReader, LineLengthLimit) {
    const std::string line255 = "// EXEC " + std::string(247, 'P');
    const std::string line256 = line255 + "P";
    {
        // Carriage returns do not count.
        Import job(line255 + "\r\n");
        EXPECT_TRUE(job.ok);
        EXPECT_EQ(job.only().programs, (std::vector<std::string>{std::string(247, 'P')}));
    }
    {
        Import job("// EXEC PGMA\n" + line256 + "\n// EXEC PGMB\n");
        EXPECT_FALSE(job.ok);
        EXPECT_TRUE(job.sink.chunks.empty());
        EXPECT_EQ(job.errors(kNotCompatible), 1);
        EXPECT_EQ(job.reader.summary().filesFailed, 1);
    }
    {
        // A long last line without line feed, and a chunk of 50 already complete.
        Import job(stepsText(1, 50) + std::string(100000, 'x'));
        EXPECT_FALSE(job.ok);
        ASSERT_EQ(job.sink.chunks.size(), 1u);
        EXPECT_EQ(job.errors(kNotCompatible), 1);
        EXPECT_EQ(job.log.messages.back().text, kNotCompatible);
    }
}

TEST(JclReader, LineEndings) {
    const std::string lf = "// DLBL IN,'A.B',0,SD\n// EXEC PGMA\n/. L1\n// EXEC PGMB\n";
    std::string crlf;
    for (char c : lf)
        crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    Import a(lf), b(crlf), c("// DLBL IN,'A.B',0,SD\r\n// EXEC PGMA\r\n/. L1\n// EXEC PGMB");
    for (const Import* job : {&a, &b, &c}) {
        EXPECT_EQ(job->only().programs, (std::vector<std::string>{"PGMA", "PGMB"}));
        EXPECT_EQ(job->only().labels, (std::vector<std::string>{"", "L1"}));
        expectFiles(job->only(), {{"IN", "A.B", false, false, 0}});
    }
}

TEST(JclReader, FileThatCannotBeRead) {
    test::TemporaryFolder folder;
    test::RecordingLog log;
    test::RecordingSink sink;
    JclReader reader(&sink);
    for (const auto& path : {folder / "MISSING.jcl", folder.path()}) {
        log.messages.clear();
        EXPECT_FALSE(reader.importJclFile(path));
        ASSERT_EQ(log.messages.size(), 2u);
        EXPECT_EQ(log.messages[0].text, "Importation de " + path.string());
        EXPECT_EQ(log.messages[0].severity, 0);
        EXPECT_EQ(log.messages[1].text, kCannotRead);
        EXPECT_EQ(log.messages[1].severity, 1);
        EXPECT_TRUE(log.messages[1].popUp);
    }
    EXPECT_TRUE(sink.chunks.empty());
    EXPECT_EQ(reader.summary().filesFailed, 2);
}

TEST(JclReader, RealLookingJobs) {
    const auto data = test::sourceDir() / "tests" / "jcl" / "data";
    test::RecordingLog log;
    test::RecordingSink sink;
    JclReader reader(&sink);
    ASSERT_TRUE(reader.importJclFile(data / "payroll.jcl"));
    ASSERT_TRUE(reader.importJclFile(data / "dliupd.jcl"));
    ASSERT_TRUE(reader.importJclFile(data / "stock.jcl"));
    ASSERT_EQ(sink.chunks.size(), 3u);
    EXPECT_FALSE(log.contains("***"));

    const RecordedChunk& payroll = sink.chunks[0];
    EXPECT_EQ(payroll.folioNumber, "payroll");
    EXPECT_EQ(payroll.programs, (std::vector<std::string>{"PAYCALC", "SORT", "PAYRPT"}));
    EXPECT_EQ(payroll.labels, (std::vector<std::string>{"", "", "PRINT"}));
    expectFiles(payroll, {{"EMPMAST", "PROD.EMPLOYEE.MASTER", false, false, 0},
                          {"TIMECRD", "PROD.TIME.CARDS", false, false, 0},
                          {"PAYWORK", "PAY.WORK.FILE", false, false, 0},
                          {"SORTIN1", "PAY.WORK.FILE", false, false, 1},
                          {"SORTOUT", "PAY.SORTED", false, false, 1},
                          {"PAYIN", "PAY.SORTED", false, false, 2},
                          {"PAYKSDS", "PROD.PAY.HISTORY.KSDS", true, false, 2},
                          {"PAYSAVE", "PAY.HISTORY.TAPE", false, true, 2}});

    const RecordedChunk& dli = sink.chunks[1];
    EXPECT_EQ(dli.programs, (std::vector<std::string>{"CUSTUPD,CUSTPSB", "DLZURDB0,CUSTPSB", "LISTLOG"}));
    EXPECT_EQ(dli.labels, (std::vector<std::string>{"", "BACKUP", ""}));
    expectFiles(dli, {{"CUSTDB", "PROD.DLI.CUSTOMER.DB", true, false, 0},
                      {"CUSTIX", "PROD.DLI.CUSTOMER.INDEX", true, false, 0},
                      {"TRANSIN", "PROD.DAILY.TRANSACTIONS", false, false, 0},
                      {"DLILOG", "PROD.DLI.LOG", false, false, 0},
                      {"DBSAVE", "", false, true, 1},
                      {"CUSTDB", "PROD.DLI.CUSTOMER.DB", true, false, 1},
                      {"DLILOG", "PROD.DLI.LOG", false, false, 2}});

    // Card images with CR LF and sequence numbers: a statement continued on
    // the next card is read from its first card only (the continuation card
    // begins with blanks), so STKMOVE's VSAM operand is not seen; the
    // lower-case statement is ignored.
    const RecordedChunk& stock = sink.chunks[2];
    EXPECT_EQ(stock.programs, (std::vector<std::string>{"STKVAL01", "STKPRT"}));
    expectFiles(stock, {{"STKMAST", "PROD.STOCK.MASTER", false, false, 0},
                        {"STKMOVE", "PROD.STOCK.MOVEMENTS.WEEKLY", false, false, 0},
                        {"STKVAL", "PROD.STOCK.VALUATION", false, false, 0},
                        {"STKLIST", "PROD.STOCK.VALUATION", false, false, 1}});
}

TEST(JclReader, HostileInput) {
    {
        // Binary bytes, NUL characters and statements cut anywhere.
        std::string text;
        for (int i = 0; i < 20000; ++i)
            text += static_cast<char>((i * 7919 + 13) % 256);
        const char tail[] = "\n// EXEC P\0Q,X\n// DLBL \xff\xfe,'\0',0,VSAM\n";
        text += std::string(tail, sizeof tail - 1);
        Import job(text);
        ASSERT_FALSE(job.sink.chunks.empty());
        EXPECT_EQ(job.sink.chunks.back().programs.back(), std::string("P\0Q", 3));
    }
    {
        // Thousands of steps: the lists never hold more than one chunk.
        Import job(stepsText(1, 5000));
        EXPECT_EQ(job.sink.chunks.size(), 100u);
        EXPECT_EQ(job.sink.chunks.back().folioNumber, "JOB/100");
    }
    {
        // Data sets without end before a step are refused past what a folio can show.
        std::string text;
        for (int i = 0; i <= JclReader::kMaxFilesPerChunk; ++i)
            text += "// DLBL F" + std::to_string(i) + ",'A.B',0,SD\n";
        text += "// EXEC PGMA\n";
        Import job(text);
        EXPECT_FALSE(job.ok);
        EXPECT_TRUE(job.sink.chunks.empty());
        EXPECT_EQ(job.errors(kNotCompatible), 1);
        EXPECT_EQ(job.reader.fileCount(), 0);
    }
}

TEST(JclReader, FolioNumberComesFromTheFileNameOnly) {
    const struct {
        const char* path;
        int part;
        const char* expected;
    } cases[] = {
        {"/jobs/prod.v2/PAYROLL.jcl", 1, "PAYROLL"},
        {"/jobs/prod.v2/PAYROLL.jcl", 2, "PAYROLL/2"},
        {"relative.dir/NIGHTLY.JCL", 3, "NIGHTLY/3"},
        {"PAY.RUN.jcl", 1, "PAY"},
        {"NOEXTENSION", 1, "NOEXTENSION"},
        {"/jobs/ABCDEFGHIJKLMNOPQRSTUVWXYZ.jcl", 1, "ABCDEFGHIJKLMNOPQRS"},
        {"/jobs/ABCDEFGHIJKLMNOPQRSTUVWXYZ.jcl", 12, "ABCDEFGHIJKLMNOPQRS"},
        {"/jobs/ABCDEFGHIJKLMNOP.jcl", 12, "ABCDEFGHIJKLMNOP/12"},
        {"/jobs/ABCDEFGHIJKLMNOPQ.jcl", 12, "ABCDEFGHIJKLMNOPQ/1"},
        {"C:\\PROD.JOBS\\PAYROLL.jcl", 1, "PAYROLL"},
        {"/jobs/Fin\xc3\xa9.jcl", 1, "Fin\xe9"}, // UTF-8 file name, Windows-1252 field
    };
    for (const auto& c : cases)
        EXPECT_EQ(jclFolioNumber(c.path, c.part), c.expected) << c.path << " " << c.part;
}

} // namespace
} // namespace plexo
