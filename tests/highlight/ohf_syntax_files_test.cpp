// The definition files the program ships in data/Syntax: each loads, and colours a sample of
// its language the way a reader of that language expects.
#include <gtest/gtest.h>

#include <QDir>

#include "highlight/ohf_definition.h"
#include "highlight/ohf_style_view.h"
#include "platform/test_files.h"

namespace {

using highlight::OhfDefinition;
using highlight::ReadOhfFile;
using ohf_test::StyledView;

const QString kSyntaxDir = QStringLiteral(OSTREL_SOURCE_DATA "/Syntax");

struct Sample {
  const char* file;
  const char* description;
  const char* extension;  // one of the file's patterns
  QString text;
  QString mask;  // ' ' text, k keyword, o operator, s scope, n number, c comment, q string
};

const Sample kSamples[] = {
    {"python.ohf", "Python", "*.py",
     "def f(x):\n    \"\"\"Doc\n    if\"\"\"\n    return x + 1.5  # done\ny = [None, 'a']",
     "kkk  o oo     cccccccccccccccc     kkkkkk   o nnn  cccccc   o okkkko qqqo"},
    {"shell.ohf", "Shell", "*.sh",
     "if [[ -n \"$x\" ]]; then\n  echo $HOME # c\nfi\nfor f in *; do ls; done",
     "kk kk oo qqqq kko kkkk   kkkk o     ccc kk kkk   kk  o ss   o ssss"},
    {"ini.ohf", "INI", "*.ini", "[section]\nkey = \"v\" ; c\nflag=TRUE\nn=12",
     "s       s     o qqq ccc     okkkk  onn"},
    {"markdown.ohf", "Markdown", "*.md",
     "# Title\nSome **bold** and `code`\n```sh\nx\n```\n<!-- c\n-->",
     "k            oo    oo     qqqqqq sss     sss cccccccccc"},
    {"lua.ohf", "Lua", "*.lua", "local x = 1 -- c\n--[[ a\nb ]] function f() end",
     "kkkkk   o n cccc ccccccccccc ssssssss  oo sss"},
    {"batch.ohf", "Batch", "*.bat", "@echo off\nREM c\nif exist x (echo \"y\") 2>nul",
     "okkkk     ccccc kk kkkkk   skkkk qqqs ookkk"},
    {"json.ohf", "JSON", "*.json", "{\"a\": [1.5, true, null]}", "sqqqo onnno kkkko kkkkos"},
    {"yaml.ohf", "YAML", "*.yml", "---\nkey: \"v\" # c\nlist:\n  - yes",
     "sss    o qqq ccc     o   o kkk"},
};

// The words written under the group headers, each group up to its empty line. A word line
// beginning with "[" or ";" would end its group early and drop the words after it unseen.
qsizetype wordsUnderHeaders(const QByteArray& bytes) {
  qsizetype words = 0;
  bool inGroup = false;
  for (const QByteArray& line : bytes.split('\n')) {
    const QByteArray text = line.trimmed();
    if (text == "[group1]" || text == "[group2]") {
      inGroup = true;
    } else if (text.isEmpty()) {
      inGroup = false;
    } else if (inGroup) {
      words += text.split(' ').size();
    }
  }
  return words;
}

TEST(OhfSyntaxFiles, EveryShippedFileHasASample) {
  QStringList files = QDir(kSyntaxDir).entryList({"*.ohf"}, QDir::Files, QDir::Name);
  QStringList sampled;
  for (const Sample& s : kSamples) sampled += s.file;
  sampled.sort();
  EXPECT_EQ(files, sampled);
}

TEST(OhfSyntaxFiles, LoadAndColourTheirSamples) {
  for (const Sample& s : kSamples) {
    SCOPED_TRACE(s.file);
    const QString path = kSyntaxDir + '/' + s.file;
    const QByteArray bytes = test_files::bytesOf(path);
    EXPECT_EQ(bytes.count("\n"), bytes.count("\r\n")) << "CR LF line ends";
    EXPECT_EQ(QString::fromUtf8(bytes).toUtf8(), bytes) << "UTF-8 or ASCII";

    const OhfDefinition def = ReadOhfFile(path);
    EXPECT_EQ(def.description, s.description);
    EXPECT_TRUE(def.extensions.split(';').contains(s.extension)) << def.extensions.toStdString();
    EXPECT_FALSE(def.keywords.isEmpty());
    EXPECT_FALSE(def.operators.isEmpty());
    EXPECT_EQ(def.keywords.count(u'\n') + def.operators.count(u'\n'), wordsUnderHeaders(bytes));

    StyledView styled(def);
    styled.setText(s.text);
    EXPECT_EQ(styled.mask(), s.mask) << s.text.toStdString();
  }
}

}  // namespace
