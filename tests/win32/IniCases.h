#pragma once

// Settings files, a section and a key to look up, and what GetPrivateProfileStringA answers
// with the default text "Default". The Windows test program checks that Windows answers so; the
// portable reader's test checks that it answers the same. No Qt here: both programs include it.
struct IniCase
{
    const char *name;
    const char *contents; // nullptr: no file at all
    const char *section;
    const char *key;
    const char *answer;
};

inline constexpr IniCase IniCases[] = {
    {"no file", nullptr, "Rubrica", "ColTasti", "Default"},
    {"plain", "[Rubrica]\r\nColTasti=7\r\nColSfondo=3\r\n", "Rubrica", "ColSfondo", "3"},
    {"names in other capitals", "[rubrica]\r\ncoltasti=2\r\n", "Rubrica", "ColTasti", "2"},
    {"upper case, blanks in the brackets", "[ RUBRICA ]\nCOLTASTI=3", "Rubrica", "ColTasti", "3"},
    {"byte order mark", "\xEF\xBB\xBF[Rubrica]\nColTasti=3\n", "Rubrica", "ColTasti", "3"},
    {"blanks and tabs around", "[Rubrica]\r\n\tColTasti =\t3 \r\n", "Rubrica", "ColTasti", "3"},
    {"quotes taken off", "[Rubrica]\r\n  coltasti = \"5\" \r\n", "Rubrica", "ColTasti", "5"},
    {"empty value", "[Rubrica]\r\nColTasti=\r\n", "Rubrica", "ColTasti", ""},
    {"no equals sign", "[Rubrica]\r\nColTasti\r\n", "Rubrica", "ColTasti", "Default"},
    {"longer key name", "[Rubrica]\nColTastiX=3\n", "Rubrica", "ColTasti", "Default"},
    {"only in other sections", "ColTasti=4\n[A]\nColTasti=6\n[Rubrica]\n[X]\nColTasti=6", "Rubrica", "ColTasti",
     "Default"},
    {"first of two", "[Rubrica]\nColTasti=1\nColTasti=2\n", "Rubrica", "ColTasti", "1"},
    {"section twice: only the first counts", "[Rubrica]\nA=1\n[X]\nB=2\n[Rubrica]\nColTasti=4\n", "Rubrica", "ColTasti",
     "Default"},
    {"CR CR LF", "[Rubrica]\r\r\nColTasti=1\r\r\n", "Rubrica", "ColTasti", "1"},
    {"CR alone", "[Rubrica]\rColSfondo=1\r\r[Z]\rColTasti=1", "Rubrica", "ColSfondo", "1"},
    {"accented value", "[Rubrica]\nColTasti=citt\xE0\n", "Rubrica", "ColTasti", "citt\xE0"},
};
