#include "settings/codepage.h"

#include <iconv.h>

#include <cerrno>

namespace glimmora {
namespace {

// Converts with iconv, replacing what the target cannot hold (or the source does not
// encode validly) by '?', one input byte at a time.
std::string Convert(std::string_view in, const char* to, const char* from) {
  iconv_t cd = iconv_open(to, from);
  if (cd == reinterpret_cast<iconv_t>(-1)) return std::string(in);
  std::string out;
  out.resize(in.size() * 4 + 4);
  char* src = const_cast<char*>(in.data());
  size_t src_left = in.size();
  char* dst = out.data();
  size_t dst_left = out.size();
  while (src_left > 0) {
    if (iconv(cd, &src, &src_left, &dst, &dst_left) != static_cast<size_t>(-1)) break;
    if (errno == E2BIG) break;  // cannot happen: four output bytes per input byte
    // EILSEQ or EINVAL: skip one input byte and mark it.
    ++src;
    --src_left;
    if (dst_left > 0) {
      *dst++ = '?';
      --dst_left;
    }
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
  }
  out.resize(out.size() - dst_left);
  iconv_close(cd);
  return out;
}

}  // namespace

std::string Cp1251FromUtf8(std::string_view utf8) { return Convert(utf8, "WINDOWS-1251", "UTF-8"); }

std::string Utf8FromCp1251(std::string_view cp1251) { return Convert(cp1251, "UTF-8", "WINDOWS-1251"); }

}  // namespace glimmora
