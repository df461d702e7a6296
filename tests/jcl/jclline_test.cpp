#include "jcl/jclline.h"

#include <gtest/gtest.h>

namespace plexo {
namespace {

TEST(JclLine, StatementKindIsDecidedByTheFirstCharactersCaseSensitively) {
    const struct {
        const char* line;
        JclStatement kind;
    } cases[] = {
        {"// DLBL MASTER,'PROD.MASTER',0,SD", JclStatement::FileLabel},
        {"// TLBL SAVE1", JclStatement::FileLabel},
        {"// DLBL", JclStatement::FileLabel},
        {"// EXEC PROG1,SIZE=AUTO", JclStatement::Step},
        {"DLI,PGM1,PSB1", JclStatement::DliParameter},
        {"/. FIN", JclStatement::Label},
        {"// dlbl master,'prod.master',0,sd", JclStatement::Ignored},
        {"// exec prog1", JclStatement::Ignored},
        {"dli,pgm1", JclStatement::Ignored},
        {"//DLBL MASTER", JclStatement::Ignored},
        {" // EXEC PROG1", JclStatement::Ignored},
        {"/.FIN", JclStatement::Ignored},
        {"// JOB PAYROLL", JclStatement::Ignored},
        {"// EXTENT SYS010,PROD01", JclStatement::Ignored},
        {"// ASSGN SYS020,TAPE", JclStatement::Ignored},
        {"* $$ JOB JNM=PAYROLL", JclStatement::Ignored},
        {"               VSAM,CAT=UCAT01", JclStatement::Ignored},
        {"/*", JclStatement::Ignored},
        {"/&", JclStatement::Ignored},
        {"", JclStatement::Ignored},
    };
    for (const auto& c : cases)
        EXPECT_EQ(jclStatementOf(c.line), c.kind) << c.line;
}

TEST(JclLine, FileOperands) {
    const struct {
        const char* line;
        const char* ddName;
        const char* fileId;
        bool vsam;
        bool tape;
    } cases[] = {
        {"// DLBL MASTER,'PROD.MASTER.FILE',99/365,VSAM", "MASTER", "PROD.MASTER.FILE", true, false},
        {"// DLBL PAYKSDS,'PROD.PAY.KSDS',,VSAM,CAT=UCAT01", "PAYKSDS", "PROD.PAY.KSDS", true, false},
        {"// DLBL MASTER,'PROD.MASTER.FILE',0,SD", "MASTER", "PROD.MASTER.FILE", false, false},
        // VSAM counts on the fourth operand only.
        {"// DLBL MASTER,'PROD.MASTER.FILE',VSAM", "MASTER", "PROD.MASTER.FILE", false, false},
        {"// DLBL MASTER,'PROD.MASTER.FILE',0,SD,VSAM", "MASTER", "PROD.MASTER.FILE", false, false},
        {"// DLBL MASTER,'PROD.MASTER.FILE',0,vsam", "MASTER", "PROD.MASTER.FILE", false, false},
        // A comma between apostrophes does not separate operands.
        {"// DLBL MASTER,'PROD,MASTER',0,VSAM", "MASTER", "PROD,MASTER", true, false},
        // Blanks are dropped everywhere, also inside the file id.
        {"// DLBL  MASTER , 'PROD. MASTER' , 0 , VSAM ", "MASTER", "PROD.MASTER", true, false},
        {"// DLBL MASTER,'FIRST','SECOND',0,SD", "MASTER", "SECOND", false, false},
        {"// DLBL MASTER,'UNCLOSED.ID", "MASTER", "UNCLOSED.ID", false, false},
        {"// DLBL ,'PROD.MASTER',0,SD", "", "PROD.MASTER", false, false},
        {"// DLBL SORTWK1,'WORK.FILE',0,SD", "SORTWK1", "WORK.FILE", false, false},
        {"// TLBL SAVE1", "SAVE1", "", false, true},
        {"// TLBL SAVE1,'PAY.HISTORY.TAPE',99/365", "SAVE1", "PAY.HISTORY.TAPE", false, true},
        {"// DLBL", "", "", false, false},
        {"// DLBLMASTER,'PROD.MASTER'", "MASTER", "PROD.MASTER", false, false},
    };
    for (const auto& c : cases) {
        const JclFileOperands operands = parseFileStatement(c.line);
        EXPECT_EQ(operands.ddName, c.ddName) << c.line;
        EXPECT_EQ(operands.fileId, c.fileId) << c.line;
        EXPECT_EQ(operands.isVsam, c.vsam) << c.line;
        EXPECT_EQ(operands.isTape, c.tape) << c.line;
    }
}

TEST(JclLine, StepProgramDliParameterAndLabel) {
    const struct {
        const char* line;
        const char* expected;
    } programs[] = {
        {"// EXEC PROG1,SIZE=AUTO", "PROG1"},
        {"// EXEC    PROG1", "PROG1"},
        {"// EXEC PRO G1 ,SIZE=AUTO", "PROG1"},
        {"// EXEC DLZRRC00,SIZE=AUTO", "DLZRRC00"},
        {"// EXEC PROC=NIGHTLY", "PROC=NIGHTLY"},
        {"// EXEC", ""},
        {"// EXEC   ", ""},
        {"// EXEC ,SIZE=AUTO", ""},
    };
    for (const auto& c : programs)
        EXPECT_EQ(parseStepProgram(c.line), c.expected) << c.line;

    const struct {
        const char* line;
        const char* expected;
    } parameters[] = {
        {"DLI,PGM1,PSB1", "PGM1,PSB1"},
        {"DLI, PGM1 , PSB1  ", "PGM1,PSB1"},
        {"DLI,", ""},
        {"DLI,    ", ""},
    };
    for (const auto& c : parameters)
        EXPECT_EQ(parseDliParameter(c.line), c.expected) << c.line;

    const struct {
        const char* line;
        const char* expected;
    } labels[] = {
        {"/. FIN", "FIN"},
        {"/. RESTART01X", "RESTART01"},
        {"/. A B", "A B"},
        {"/.  FIN", " FIN"},
        {"/. ", ""},
    };
    for (const auto& c : labels)
        EXPECT_EQ(parseLabel(c.line), c.expected) << c.line;
}

} // namespace
} // namespace plexo
