// Unit tests for comparam/LibraryMain.cpp: this program links only the shared library and never
// attaches the text buffers itself, so only the library's own load-time hook can have done it.
#include <comparam/Export.h>

#include <gtest/gtest.h>

#include <thread>

// The shared library's test probe: converts a text through the attached buffers.
extern "C" COMPARAM_API bool ComParamTextConvAttached();

TEST(LibraryMain, LoadHookAttachedTheTextBuffersBeforeTheFirstConversion) {
  EXPECT_TRUE(ComParamTextConvAttached());
}

TEST(LibraryMain, ConversionWorksOnAThreadStartedAfterLoading) {
  bool attached = false;
  std::thread([&attached] { attached = ComParamTextConvAttached(); }).join();
  EXPECT_TRUE(attached);
}
