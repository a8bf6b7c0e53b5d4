#include "platform/codepage_gbk.h"

#include <unicode/ucnv.h>
#include <unicode/ucnv_err.h>

#include <memory>
#include <vector>

namespace gbk {
namespace {

struct ConverterCloser {
  void operator()(UConverter* c) const { ucnv_close(c); }
};
using Converter = std::unique_ptr<UConverter, ConverterCloser>;

// Fallbacks on; whatever ICU cannot map is skipped, so it leaves no output
// and keeps the table's "no mapping" value.
Converter OpenConverter() {
  UErrorCode status = U_ZERO_ERROR;
  Converter cnv(ucnv_open("windows-936-2000", &status));
  if (U_FAILURE(status)) return nullptr;
  ucnv_setFallback(cnv.get(), true);
  ucnv_setToUCallBack(cnv.get(), UCNV_TO_U_CALLBACK_SKIP, nullptr, nullptr, nullptr, &status);
  ucnv_setFromUCallBack(cnv.get(), UCNV_FROM_U_CALLBACK_SKIP, nullptr, nullptr, nullptr, &status);
  if (U_FAILURE(status)) return nullptr;
  return cnv;
}

bool IsValidTrail(unsigned b) { return (b >= 0x40 && b <= 0x7E) || (b >= 0x80 && b <= 0xFE); }

// Decodes every non-lead byte and every valid pair in one ICU call; offsets
// tell which source bytes each output unit came from.
bool FillDecoding(UConverter* cnv, Tables& t) {
  std::vector<char> source;
  for (unsigned b = 0; b < 256; ++b)
    if (!IsLead(static_cast<unsigned char>(b))) source.push_back(static_cast<char>(b));
  const std::size_t singles = source.size();
  for (unsigned lead = 0x81; lead <= 0xFE; ++lead)
    for (unsigned trail = 0; trail < 256; ++trail)
      if (IsValidTrail(trail)) {
        source.push_back(static_cast<char>(lead));
        source.push_back(static_cast<char>(trail));
      }
  std::vector<UChar> out(source.size());
  std::vector<int32_t> offsets(source.size());
  UChar* target = out.data();
  const char* src = source.data();
  UErrorCode status = U_ZERO_ERROR;
  ucnv_reset(cnv);
  ucnv_toUnicode(cnv, &target, out.data() + out.size(), &src, source.data() + source.size(),
                 offsets.data(), true, &status);
  if (U_FAILURE(status)) return false;

  t.single.fill(u'?');
  t.pair.fill(u'?');
  for (std::size_t k = 0; k < static_cast<std::size_t>(target - out.data()); ++k) {
    auto at = static_cast<std::size_t>(offsets[k]);
    auto first = static_cast<unsigned char>(source[at]);
    if (at < singles) {
      t.single[first] = out[k];
    } else {
      auto second = static_cast<unsigned char>(source[at + 1]);
      t.pair[(first - 0x81u) * 256u + second] = out[k];
    }
  }
  return true;
}

// Encodes every BMP code unit except the surrogates in one ICU call.
bool FillEncoding(UConverter* cnv, Tables& t) {
  std::vector<UChar> source;
  for (unsigned u = 0; u < 0x10000; ++u)
    if (u < 0xD800 || u > 0xDFFF) source.push_back(static_cast<UChar>(u));
  std::vector<char> out(source.size() * 2);
  std::vector<int32_t> offsets(out.size());
  char* target = out.data();
  const UChar* src = source.data();
  UErrorCode status = U_ZERO_ERROR;
  ucnv_reset(cnv);
  ucnv_fromUnicode(cnv, &target, out.data() + out.size(), &src, source.data() + source.size(),
                   offsets.data(), true, &status);
  if (U_FAILURE(status)) return false;

  t.encode.fill(kNoMapping);
  const auto produced = static_cast<std::size_t>(target - out.data());
  for (std::size_t k = 0; k < produced;) {
    const int32_t from = offsets[k];
    std::uint16_t value = static_cast<unsigned char>(out[k]);
    std::size_t next = k + 1;
    if (next < produced && offsets[next] == from) {
      value = static_cast<std::uint16_t>(value << 8 | static_cast<unsigned char>(out[next]));
      ++next;
    }
    t.encode[source[static_cast<std::size_t>(from)]] = value;
    k = next;
  }
  // ICU best-fits these to control bytes; Windows writes "?".
  for (char16_t u : {u'\uFFE9', u'\uFFEA', u'\uFFEB', u'\uFFEC', u'\uFFEE'}) t.encode[u] = kNoMapping;
  return true;
}

std::unique_ptr<Tables> Build() {
  Converter cnv = OpenConverter();
  if (!cnv) return nullptr;
  auto tables = std::make_unique<Tables>();
  if (!FillDecoding(cnv.get(), *tables) || !FillEncoding(cnv.get(), *tables)) return nullptr;
  return tables;
}

}  // namespace

const Tables* GetTables() {
  static const std::unique_ptr<Tables> tables = Build();
  return tables.get();
}

}  // namespace gbk
