// Buffers faulted in ahead for the editor: the editor's own allocations for a load must take
// them (else they are memory held for nothing), and the text must be whole in them.
#include "platform/big_blocks.h"

#include <gtest/gtest.h>

#include <vector>

#include "platform/edit_control.h"

namespace platform {
namespace {

// Blocks come from the program's own operator new, which a sanitized build leaves out.
#define SKIP_WITHOUT_BLOCKS()                                              \
  if (WaitingBigBlocks() == 0) GTEST_SKIP() << "no prepared blocks in this build"

TEST(BigBlocksTest, AnAllocationOfTheSizeTakesABlockAndOthersDoNot) {
  const std::size_t size = kBigBlockBytes + 12345;
  PrepareBigBlocks(size, 2);
  SKIP_WITHOUT_BLOCKS();
  EXPECT_EQ(WaitingBigBlocks(), 2);
  {
    std::vector<char> other;
    other.reserve(size + 1);  // another size: no block
    EXPECT_EQ(WaitingBigBlocks(), 2);
    std::vector<char> taken(size, 'x');
    EXPECT_EQ(WaitingBigBlocks(), 1);
    EXPECT_EQ(taken[size - 1], 'x');
    EXPECT_EQ(taken[0], 'x');
  }
  // The taken block went back when its vector did; the other is given back on request.
  ReleaseBigBlocks();
  EXPECT_EQ(WaitingBigBlocks(), 0);
  // Small sizes are never prepared.
  PrepareBigBlocks(1024, 1);
  EXPECT_EQ(WaitingBigBlocks(), 0);
}

TEST(BigBlocksTest, TheEditorsLoadTakesBothAndHoldsTheText) {
  const qint64 expected = qint64(kBigBlockBytes);
  PrepareBigBlocks(std::size_t(EditControl::loadBufferBytes(expected)), 2);
  SKIP_WITHOUT_BLOCKS();
  {
    EditControl edit;
    edit.beginLoad(expected);
    // Text and styles: both buffers are the prepared ones.
    EXPECT_EQ(WaitingBigBlocks(), 0);
    const QByteArray line = "строка текста\r\n";
    for (int i = 0; i < 1000; ++i) edit.appendLoaded(line, {});
    edit.endLoad(TextFormat{Encoding::Utf8, false, LineEnd::CrLf});
    EXPECT_EQ(edit.lineCount(), 1001);
    EXPECT_EQ(edit.lineText(999), QStringLiteral("строка текста"));
    edit.setSelection({5, 0, 5, 0});
    edit.setSelectedText("новое ");
    EXPECT_EQ(edit.lineText(5), QStringLiteral("новое строка текста"));
  }
  ReleaseBigBlocks();
  EXPECT_EQ(WaitingBigBlocks(), 0);
}

}  // namespace
}  // namespace platform
