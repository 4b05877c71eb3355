// Unit tests for platform/buffers/Buffers.cpp: the scratch-buffer provider and its fault seam.
#include <buffers/Buffers.h>

#include <gtest/gtest.h>

#include <cstring>

TEST(Buffers, OneProviderHandsOutBuffersOfTheSizeAsked) {
  NBuffers::IBuffers* pProvider = NBuffers::GetTextConvBuffers();
  ASSERT_NE(pProvider, nullptr);
  EXPECT_EQ(NBuffers::GetTextConvBuffers(), pProvider);
  char* pSmall = pProvider->GetNarrowBuffer(0);
  ASSERT_NE(pSmall, nullptr);
  pSmall[0] = 'x';
  char* pLarge = pProvider->GetNarrowBuffer(1 << 20);
  ASSERT_NE(pLarge, nullptr);
  std::memset(pLarge, 'y', 1 << 20);  // the sanitizer build catches a short buffer here
  EXPECT_EQ(pLarge[(1 << 20) - 1], 'y');
}

TEST(Buffers, FaultSeamMakesTheProviderHandOutNothing) {
  NBuffers::IBuffers* pProvider = NBuffers::GetTextConvBuffers();
  NBuffers::SetBufferFailureForTesting(true);
  EXPECT_EQ(pProvider->GetNarrowBuffer(8), nullptr);
  NBuffers::SetBufferFailureForTesting(false);
  EXPECT_NE(pProvider->GetNarrowBuffer(8), nullptr);
}
