// A parameter's text value path against a reading written here from the C library's wcstoull:
// a text is accepted exactly when that reading and the parameter's checks say so, and the
// number the parameter keeps is the number read.
#include <FuzzInput.h>

#include <comparam/StringComParam.h>
#include <comparam/UnsignedComParam.h>

#include <cerrno>
#include <climits>
#include <cstddef>
#include <cstdint>
#include <cwchar>
#include <cwctype>
#include <string>

namespace {

using NComParamMan::ZStringComParam;
using NComParamMan::ZUnsignedComParam;
using NComParamMan::ZValidValueSet;

// Opens the protected reading to the fuzzer.
class ZProbe : public ZUnsignedComParam {
 public:
  using ZUnsignedComParam::RetrieveUnsigned;
};

struct ZReading {
  bool ok;
  unsigned number;
};

// Base 10 as wcstoul reads it, narrowed to 32 bits: the magnitude must fit, a minus wraps.
ZReading ReferenceReading(const std::wstring& text) {
  const wchar_t* p = text.c_str();
  while (std::iswspace(static_cast<std::wint_t>(*p))) ++p;
  const bool negative = *p == L'-';
  errno = 0;
  const unsigned long long value = std::wcstoull(text.c_str(), nullptr, 10);
  const unsigned long long magnitude = negative ? 0ULL - value : value;
  if (errno == ERANGE || magnitude > UINT_MAX) return {false, UINT_MAX};
  const unsigned number = static_cast<unsigned>(magnitude);
  return {true, negative ? 0U - number : number};
}

bool InRange(unsigned start, unsigned stop, unsigned n) {
  if (start == stop) return true;
  return start < stop && start <= n && n <= stop;
}

void CheckReading(const std::wstring& text, const ZReading& expected) {
  unsigned number = 0;
  const bool ok = ZProbe::RetrieveUnsigned(text.c_str(), number);
  FUZZ_CHECK(ok == expected.ok, "RetrieveUnsigned success differs from the reference");
  FUZZ_CHECK(number == expected.number, "RetrieveUnsigned number differs from the reference");
}

void CheckStringParam(const std::wstring& text, const std::wstring& permitted) {
  ZStringComParam free(L"a", L"", false, true, L"n", L"", L"Free", L"old");
  FUZZ_CHECK(free.SetValue(text.c_str()), "a text parameter without set refused a text");
  FUZZ_CHECK(free.GetValue() == text && free.HasValidValue(), "accepted text not kept");

  ZValidValueSet values;
  values.AddValidValue(L"Normal");
  values.AddValidValue(permitted.c_str());
  ZStringComParam restricted(L"a", L"", false, true, L"n", L"", L"Set", values, L"Normal");
  const bool expected = text == L"Normal" || text == permitted;
  FUZZ_CHECK(restricted.SetValue(text.c_str()) == expected, "permitted-text check is wrong");
  FUZZ_CHECK(restricted.HasValidValue() == expected, "valid flag disagrees with the result");
  FUZZ_CHECK(restricted.GetValue() == (expected ? text : std::wstring(L"Normal")),
             "refused text replaced the value");
}

void CheckUnsignedAccepted(const ZUnsignedComParam& param, const std::wstring& text,
                           unsigned number) {
  FUZZ_CHECK(param.HasValidValue(), "accepted number flagged invalid");
  FUZZ_CHECK(param.GetValue() == text, "accepted number text not kept as offered");
  FUZZ_CHECK(param.GetValueAsUnsigned() == number, "accepted number differs from the reference");
}

void CheckUnsignedRefused(const ZUnsignedComParam& param, const ZUnsignedComParam& before) {
  FUZZ_CHECK(!param.HasValidValue(), "refused number not flagged invalid");
  FUZZ_CHECK(std::wstring(param.GetValue()) == before.GetValue(), "refused text kept");
  FUZZ_CHECK(param.GetValueAsUnsigned() == before.GetValueAsUnsigned(), "refused number kept");
}

void CheckRangedParam(const std::wstring& text, const ZReading& reading, unsigned start,
                      unsigned stop, unsigned initial) {
  ZUnsignedComParam param(L"a", L"", false, true, L"n", L"", L"Ranged", start, stop, initial);
  const ZUnsignedComParam before(param);
  const bool expected = reading.ok && InRange(start, stop, reading.number);
  FUZZ_CHECK(param.SetValue(text.c_str()) == expected, "ranged text check is wrong");
  if (expected)
    CheckUnsignedAccepted(param, text, reading.number);
  else
    CheckUnsignedRefused(param, before);

  if (!reading.ok) return;
  ZUnsignedComParam byNumber(before);
  FUZZ_CHECK(byNumber.SetValue(reading.number) == InRange(start, stop, reading.number),
             "ranged number check is wrong");
  if (byNumber.HasValidValue())
    CheckUnsignedAccepted(byNumber, std::to_wstring(reading.number), reading.number);
}

void CheckPermittedNumbers(const std::wstring& text, const ZReading& reading,
                           const std::wstring& permitted) {
  ZValidValueSet values;
  values.AddValidValue(L"7");
  values.AddValidValue(permitted.c_str());
  ZUnsignedComParam param(L"a", L"", false, true, L"n", L"", L"Set", values, 7);
  const ZUnsignedComParam before(param);
  // The set holds texts: 07 is not the permitted 7.
  const bool expected = reading.ok && (text == L"7" || text == permitted);
  FUZZ_CHECK(param.SetValue(text.c_str()) == expected, "permitted-number check is wrong");
  if (expected)
    CheckUnsignedAccepted(param, text, reading.number);
  else
    CheckUnsignedRefused(param, before);
}

}  // namespace

// Input: a range mode byte, two range bounds, an initial value, the offered text, a permitted
// text.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Fuzz::ZInput input(data, size);
  const std::size_t mode = input.Below(3);
  unsigned start = input.Unsigned();
  unsigned stop = input.Unsigned();
  if (mode == 0) start = stop = 0;                 // unrestricted, as the catalogue uses
  if (mode == 1) start = start % 256, stop = 255;  // a one-byte range
  const unsigned initial = input.Unsigned();
  const std::wstring text = input.Text();
  const std::wstring permitted = input.Text();

  const ZReading reading = ReferenceReading(text);
  CheckReading(text, reading);
  CheckStringParam(text, permitted);
  CheckRangedParam(text, reading, start, stop, initial);
  CheckPermittedNumbers(text, reading, permitted);
  return 0;
}
