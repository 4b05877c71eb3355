// Unit tests for Util/TextConv.cpp
#include <Util/TextConv.h>

#include <buffers/Buffers.h>

#include <gtest/gtest.h>

#include <string>

using NComParamMan::ConvertToNarrow;
using NComParamMan::ToNarrowString;

namespace {

// The shared library attaches the text buffers when it is loaded; this binary links the
// library's objects instead, so it attaches them once before any test runs.
class TextConvBuffersEnvironment : public ::testing::Environment {
 public:
  void SetUp() override { NComParamMan::AttachTextConvBuffers(); }
};

const ::testing::Environment* const attachedBuffers =
    ::testing::AddGlobalTestEnvironment(new TextConvBuffersEnvironment);

// While alive, the text buffer library hands out no buffer.
class BufferFailure {
 public:
  BufferFailure() { NBuffers::SetBufferFailureForTesting(true); }
  ~BufferFailure() { NBuffers::SetBufferFailureForTesting(false); }
  BufferFailure(const BufferFailure&) = delete;
  BufferFailure& operator=(const BufferFailure&) = delete;
};

constexpr unsigned kWestern = 1252;
constexpr unsigned kNoSuchCodePage = 4242;

}  // namespace

TEST(TextConv, AttachStoresTheProviderOfTheTextBufferLibrary) {
  EXPECT_EQ(NComParamMan::mpBuffers, NBuffers::GetTextConvBuffers());
}

TEST(TextConv, ToNarrowStringKeepsAsciiAsItIs) {
  EXPECT_EQ(ToNarrowString(L"P2Client 12.5e-3"), "P2Client 12.5e-3");
}

TEST(TextConv, ToNarrowStringWritesCodePage1252Bytes) {
  EXPECT_EQ(ToNarrowString(L"\u00e9\u00ff\u00a0"), "\xe9\xff\xa0");
  EXPECT_EQ(ToNarrowString(L"\u20ac\u2019\u0160\u2122"), "\x80\x92\x8a\x99");
}

TEST(TextConv, CharactersOutsideTheCodePageBecomeQuestionMarks) {
  EXPECT_EQ(ToNarrowString(L"1\u4e2d2\u30423"), "1?2?3");
}

TEST(TextConv, EmptyTextGivesEmptyString) { EXPECT_EQ(ToNarrowString(L""), ""); }

TEST(TextConv, ResultIsACopyThatTheNextConversionDoesNotChange) {
  const std::string first = ToNarrowString(L"first text");
  const std::string second = ToNarrowString(L"xy");
  EXPECT_EQ(first, "first text");
  EXPECT_EQ(second, "xy");
}

TEST(TextConv, ConvertToNarrowHandsOutTheScratchBufferAndTheByteCount) {
  char* pBuffer = nullptr;
  EXPECT_EQ(ConvertToNarrow(kWestern, L"ab\u20acdef", 4, pBuffer, 4), 4);
  ASSERT_NE(pBuffer, nullptr);
  EXPECT_EQ(std::string(pBuffer, 4),
            "ab\x80"
            "d");
}

TEST(TextConv, ConvertToNarrowFailsWithNullBufferAndZero) {
  char previous = 0;
  char* pBuffer = &previous;
  EXPECT_EQ(ConvertToNarrow(kWestern, L"abc", 3, pBuffer, 2), 0) << "too small a buffer";
  EXPECT_EQ(pBuffer, nullptr);

  pBuffer = &previous;
  EXPECT_EQ(ConvertToNarrow(kWestern, L"abc", 3, pBuffer, 0), 0) << "no buffer";
  EXPECT_EQ(pBuffer, nullptr);

  pBuffer = &previous;
  EXPECT_EQ(ConvertToNarrow(kNoSuchCodePage, L"abc", 3, pBuffer, 3), 0) << "unknown code page";
  EXPECT_EQ(pBuffer, nullptr);
}

TEST(TextConv, NoScratchBufferGivesZeroAndEmptyString) {
  BufferFailure failure;
  char previous = 0;
  char* pBuffer = &previous;
  EXPECT_EQ(ConvertToNarrow(kWestern, L"abc", 3, pBuffer, 3), 0);
  EXPECT_EQ(pBuffer, nullptr);
  EXPECT_EQ(ToNarrowString(L"abc"), "");
}

TEST(TextConvDeathTest, MissingWideTextIsAHardAssertion) {
  char* pBuffer = nullptr;
  EXPECT_DEATH(ConvertToNarrow(kWestern, nullptr, 0, pBuffer, 1), "pWideString.*TextConv");
}

TEST(TextConvDeathTest, MissingBufferProviderIsAHardAssertion) {
  EXPECT_DEATH(
      {
        NComParamMan::mpBuffers = nullptr;
        ToNarrowString(L"1.5");
      },
      "mpBuffers.*TextConv");
}
