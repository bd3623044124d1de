// "Programs.lst" read and written: the split at the last ">", and what cannot be stored.
#include <gtest/gtest.h>

#include "automation/program_list.h"
#include "support/qt_print.h"

namespace automation {

inline void PrintTo(const ProgramEntry& e, std::ostream* os) {
  *os << "{" << e.caption.toStdString() << " | " << e.commandLine.toStdString() << "}";
}

namespace {

TEST(ProgramList, EachLineSplitsAtItsLastMark) {
  struct Case {
    const char* content;
    ProgramEntries expect;
  } cases[] = {
      {"", {}},
      {"sort|$infile|$outfile>Сортировка\r\n", {{"Сортировка", "sort|$infile|$outfile"}}},
      // The line may hold ">", the caption never does.
      {"prog a>b|$infile>Сравнить", {{"Сравнить", "prog a>b|$infile"}}},
      // Without ">" the whole line is the caption and there is no program line.
      {"Просто строка\r\n>Без программы\r\nprog>\r\n",
       {{"Просто строка", ""}, {"Без программы", ""}, {"", "prog"}}},
      // Empty lines are no entries.
      {"a>A\r\n\r\nb>B\r\n\r\n", {{"A", "a"}, {"B", "b"}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.content);
    EXPECT_EQ(ParseProgramList(QString::fromUtf8(c.content)), c.expect);
  }
}

TEST(ProgramList, WhatIsWrittenReadsBack) {
  const ProgramEntries entries = {{"Сортировка", "sort -r|$infile|$outfile"},
                                  {"Без программы", ""},
                                  {"С пробелом ", "\"/opt/my tool\" a>b|$infile"}};
  const QString content = FormatProgramList(entries);
  EXPECT_TRUE(content.startsWith("sort -r|$infile|$outfile>Сортировка\r\n>Без программы\r\n"));
  EXPECT_TRUE(content.endsWith("\r\n"));
  EXPECT_EQ(ParseProgramList(content), entries);
}

TEST(ProgramList, OnlyEntriesThatReadBackMayBeStored) {
  struct Case {
    ProgramEntry entry;
    bool storable;
  } cases[] = {
      {{"Сортировка", "sort|$infile|$outfile"}, true},
      {{"Запуск", ""}, true},
      {{"a>b", "sort"}, false},  // would read back as caption "b"
      {{"Две\r\nстроки", "sort"}, false},
      {{"Сорт", "sort\n|$infile"}, false},
      {{"", "sort"}, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.entry.caption.toStdString());
    EXPECT_EQ(!ProgramEntryProblem(c.entry), c.storable);
  }
}

}  // namespace
}  // namespace automation
