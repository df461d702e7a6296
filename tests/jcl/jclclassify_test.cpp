#include "jcl/jclclassify.h"
#include "jcl/jclreader.h"
#include "support/testenvironment.h"

#include <gtest/gtest.h>

namespace plexo {
namespace {

using Dir = FileDirection;

struct ExpectedFile {
    const char* ddName;
    Dir direction;
    bool ownSymbol;
};

struct ExpectedStep {
    int inputs, ownInputs, outputs;
};

// Classifies each chunk as the drawing does before placing the symbols.
class ClassifyingSink : public JclChunkSink {
public:
    bool drawJobChunk(JclReader& reader, const std::filesystem::path&) override {
        classifyJclFiles(reader.files());
        files.clear();
        steps.clear();
        for (const auto& f : reader.files())
            files.push_back({f->ddName, f->direction, f->ownSymbol});
        for (const auto& s : reader.steps())
            steps.push_back({s->inputCount, s->ownInputCount, s->outputCount});
        return true;
    }
    struct File {
        std::string ddName;
        Dir direction;
        bool ownSymbol;
    };
    std::vector<File> files;
    std::vector<ExpectedStep> steps;
};

void expectClassified(const char* text, const std::vector<ExpectedFile>& files,
                      const std::vector<ExpectedStep>& steps) {
    test::RecordingLog log;
    ClassifyingSink sink;
    JclReader reader(&sink);
    ASSERT_TRUE(reader.readJclText("JOB.jcl", text));
    ASSERT_EQ(sink.files.size(), files.size()) << text;
    for (std::size_t i = 0; i < files.size(); ++i) {
        EXPECT_EQ(sink.files[i].ddName, files[i].ddName) << text;
        EXPECT_EQ(sink.files[i].direction, files[i].direction) << files[i].ddName << "\n" << text;
        EXPECT_EQ(sink.files[i].ownSymbol, files[i].ownSymbol) << files[i].ddName << "\n" << text;
    }
    ASSERT_EQ(sink.steps.size(), steps.size()) << text;
    for (std::size_t i = 0; i < steps.size(); ++i) {
        EXPECT_EQ(sink.steps[i].inputs, steps[i].inputs) << "step " << i << "\n" << text;
        EXPECT_EQ(sink.steps[i].ownInputs, steps[i].ownInputs) << "step " << i << "\n" << text;
        EXPECT_EQ(sink.steps[i].outputs, steps[i].outputs) << "step " << i << "\n" << text;
    }
}

// A file named only once counts as an output of its step but keeps an
// undetermined direction: it is drawn below the step, without arrowheads.
TEST(JclClassify, DataSetWrittenOnceAndReadTwiceIsDrawnOnceBelowItsWriter) {
    expectClassified("// DLBL EXTRACT,'PROD.CUSTOMER.EXTRACT',0,SD\n// EXEC CUSTEXT\n"
                     "// DLBL INPUT,'PROD.CUSTOMER.EXTRACT',0,SD\n// EXEC CUSTRPT\n"
                     "// DLBL CUSTIN,'PROD.CUSTOMER.EXTRACT',0,SD\n"
                     "// DLBL LISTING,'PROD.CUSTOMER.LIST',0,SD\n// EXEC CUSTLST\n",
                     {{"EXTRACT", Dir::Output, true},
                      {"INPUT", Dir::Input, false},
                      {"CUSTIN", Dir::Input, false},
                      {"LISTING", Dir::Undetermined, true}},
                     {{0, 0, 1}, {1, 0, 0}, {1, 0, 1}});
}

TEST(JclClassify, SameStepVsamAndTapeFiles) {
    // Written and read by the same step: a symbol above and one below.
    expectClassified("// DLBL WORKOUT,'PAY.WORK',0,SD\n// DLBL WORKIN,'PAY.WORK',0,SD\n// EXEC PAYSORT\n",
                     {{"WORKOUT", Dir::Output, true}, {"WORKIN", Dir::Input, true}}, {{1, 1, 1}});
    // VSAM files are inputs with their own symbol and never pair up, not even
    // with a disk file of the same id.
    expectClassified("// DLBL KSDS,'PROD.KSDS',,VSAM\n// EXEC PGMA\n"
                     "// DLBL KSDS,'PROD.KSDS',,VSAM\n// DLBL COPY,'PROD.KSDS',0,SD\n// EXEC PGMB\n",
                     {{"KSDS", Dir::Input, true}, {"KSDS", Dir::Input, true}, {"COPY", Dir::Undetermined, true}},
                     {{1, 1, 0}, {1, 1, 1}});
    // A tape always has its own symbol; one without file id never pairs up.
    expectClassified("// TLBL SAVE\n// TLBL HIST,'PAY.HISTORY'\n// EXEC PAYSAVE\n"
                     "// TLBL SAVE\n// DLBL HISTIN,'PAY.HISTORY',0,SD\n// EXEC PAYLIST\n",
                     {{"SAVE", Dir::Undetermined, true},
                      {"HIST", Dir::Output, true},
                      {"SAVE", Dir::Undetermined, true},
                      {"HISTIN", Dir::Input, false}},
                     {{0, 0, 2}, {1, 0, 1}});
}

TEST(JclClassify, ProgramSymbolByCountsAndNameLength) {
    const struct {
        int nameLength, inputs, outputs;
        const char* symbol;
    } cases[] = {
        {7, 2, 1, "Pgm 2/1"},   {30, 2, 1, "Pgm 4/4"},   {9, 0, 0, "Pgm 2/2"},   {8, 0, 0, "Pgm 1/1"},
        {8, 1, 1, "Pgm 1/1"},   {15, 0, 0, "Pgm 3/3"},   {27, 0, 0, "Pgm 4/4"},  {39, 0, 0, "Pgm 5/5"},
        {46, 0, 0, "Pgm 6/6"},  {20, 3, 1, "Pgm 3/1"},   {25, 1, 3, "Pgm 1/3"},  {25, 1, 2, "Pgm 1/2"},
        {26, 1, 3, "Pgm 3/3"},  {7, 4, 1, "Pgm 4/4"},    {7, 2, 2, "Pgm 2/2"},   {7, 16, 2, "Pgm 16/16"},
        {60, 0, 16, "Pgm 16/16"},
    };
    for (const auto& c : cases) {
        JclStep step;
        step.programName.assign(static_cast<std::size_t>(c.nameLength), 'P');
        step.inputCount = c.inputs;
        step.outputCount = c.outputs;
        EXPECT_EQ(programSymbolName(step), c.symbol) << c.nameLength << " " << c.inputs << "/" << c.outputs;
    }
    JclStep step;
    step.outputCount = 16;
    EXPECT_FALSE(hasTooManyFiles(step));
    step.outputCount = 17;
    EXPECT_TRUE(hasTooManyFiles(step));
    step.outputCount = 0;
    step.inputCount = 17;
    EXPECT_TRUE(hasTooManyFiles(step));
}

TEST(JclClassify, FileSymbolNameAndText) {
    JclFile file;
    EXPECT_EQ(fileSymbolName(file), "SAM");
    file.isVsam = true;
    EXPECT_EQ(fileSymbolName(file), "VSAM");
    file.isTape = true;
    EXPECT_EQ(fileSymbolName(file), "Sauvegarde");

    const struct {
        const char* fileId;
        const char* text;
    } cases[] = {
        {"PROD.MASTER.FILE", "FILE"},   {"PROD.CUSTOMER.EXTRACTION", "XTRACTION"},
        {"NODOTS123456", "OTS123456"}, {"ENDS.", ""},
        {"", ""},                       {"A.B.123456789", "123456789"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(fileSymbolText(c.fileId), c.text) << c.fileId;
}

TEST(JclClassify, ReadersShareTheSymbolOfTheNearestEarlierWriter) {
    int symbols[2];
    Shape* first = reinterpret_cast<Shape*>(&symbols[0]);
    Shape* second = reinterpret_cast<Shape*>(&symbols[1]);
    JclFileList files;
    auto add = [&](const char* id, bool vsam, Shape* symbol) {
        files.push_back(std::make_unique<JclFile>());
        files.back()->fileId = id;
        files.back()->isVsam = vsam;
        files.back()->fileSymbol = symbol;
    };
    add("PAY.WORK", false, first);   // writer
    add("PAY.WORK", false, nullptr); // reader
    add("PAY.WORK", true, nullptr);  // a VSAM file of that id takes nothing
    add("OTHER", false, nullptr);    // another data set
    add("PAY.WORK", false, second);  // written again
    add("PAY.WORK", false, nullptr); // reads the second version
    linkFileSymbols(files);
    const Shape* expected[] = {first, first, nullptr, nullptr, second, second};
    for (std::size_t i = 0; i < files.size(); ++i)
        EXPECT_EQ(files[i]->fileSymbol, expected[i]) << i;
}

} // namespace
} // namespace plexo
