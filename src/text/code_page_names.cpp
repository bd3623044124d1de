#include "text/code_page_names.h"

#include <array>

namespace text {
namespace {

struct Names {
  const char* list;
  const char* status;
};
constexpr std::array<Names, kCodePageCount> kNames{{{"Win - 1251", "Win - 1251"},
                                                    {"Dos - 866", "Dos - 866"},
                                                    {"Koi - 8r", "Koi - 8r"},
                                                    {"Macintosh", "Mac"},
                                                    {"Iso - 8859", "Iso - 5599"}}};
constexpr std::array<int, kCodePageCount> kMenuOrder{1, 2, 3, 5, 4};

bool valid(int codePage) { return codePage >= 1 && codePage <= kCodePageCount; }

}  // namespace

QString CodePageStatusName(int codePage) {
  return valid(codePage) ? QString::fromUtf8(kNames[codePage - 1].status) : QString();
}

QString CodePageListName(int codePage) {
  return valid(codePage) ? QString::fromUtf8(kNames[codePage - 1].list) : QString();
}

int CodePageOfMenuIndex(int index) {
  return index >= 0 && index < kCodePageCount ? kMenuOrder[index] : 0;
}

int MenuIndexOfCodePage(int codePage) {
  for (int i = 0; i < kCodePageCount; ++i)
    if (kMenuOrder[i] == codePage) return i;
  return -1;
}

}  // namespace text
