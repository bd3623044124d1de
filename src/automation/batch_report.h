// What a batch run did, and the message that tells the user: how many files were processed, in
// which code pages, and which were left as they were and why.
#pragma once

#include <QString>
#include <QStringList>
#include <map>
#include <utility>

#include "automation/batch_file.h"

namespace automation {

struct BatchReport {
  int written = 0;       // files really written
  int unchanged = 0;     // files the actions did not change, so not rewritten
  QStringList failed;    // "name: reason" for each file left as it was
  bool stopped = false;  // the user stopped the run before every file was done
  // Processed files (written or unchanged) by what they were read as and written in.
  std::map<std::pair<int, int>, int> encodings;

  // Counts one file's result; a file the stop caught midway is counted nowhere, like the ones
  // never begun.
  void add(const QString& name, const BatchFileResult& result, bool stopped);
};

// "Выполнена пакетная обработка. Обработано N файлов", then the count of files per code page
// ("Koi - 8r: 16", "Win - 1251 → Dos - 866: 2"), the unchanged ones, a stop, and the files left
// as they were with their reasons (the first 20 of them).
QString BatchReportText(const BatchReport& report);

}  // namespace automation
