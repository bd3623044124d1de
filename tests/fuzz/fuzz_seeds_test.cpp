// Every fuzz target over its seed corpus: the targets build and hold their properties in the
// ordinary test run (and under the sanitizers in the sanitizer run), and every corpus has its
// target.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include "fuzz_registry.h"

namespace {

const QString kCorpus = QStringLiteral(OSTREL_FUZZ_CORPUS);

TEST(FuzzSeeds, EveryTargetHasSeedsAndEverySeedFolderATarget) {
  const QStringList folders = QDir(kCorpus).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
  QStringList targets;
  for (const auto& [name, target] : fuzz::Targets()) targets << QString::fromStdString(name);
  EXPECT_EQ(folders, targets);
  for (const QString& folder : folders)
    EXPECT_FALSE(QDir(kCorpus + "/" + folder).isEmpty()) << folder.toStdString();
  EXPECT_GE(targets.size(), 12);
}

TEST(FuzzSeeds, EveryTargetTakesItsSeedsAndAnyCutOfThem) {
  for (const auto& [name, target] : fuzz::Targets()) {
    const QDir folder(kCorpus + "/" + QString::fromStdString(name));
    for (const QString& file : folder.entryList(QDir::Files)) {
      SCOPED_TRACE(name + "/" + file.toStdString());
      QFile seed(folder.filePath(file));
      ASSERT_TRUE(seed.open(QIODevice::ReadOnly));
      const QByteArray bytes = seed.readAll();
      target(bytes);
      // Inputs cut short: a parser must not read past what it was given.
      for (qsizetype cut : {qsizetype(0), qsizetype(1), bytes.size() / 2, bytes.size() - 1})
        if (cut >= 0 && cut < bytes.size()) target(QByteArrayView(bytes).first(cut));
    }
  }
}

}  // namespace
