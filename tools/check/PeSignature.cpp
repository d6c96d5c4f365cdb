#include "tools/check/PeSignature.h"

#include <cstdint>

#include "platform/PictureHeader.h"

namespace orvex::check {

namespace {

constexpr std::size_t kDosHeaderSize = 64;
constexpr std::size_t kPeHeaderOffsetField = 0x3C;
constexpr std::size_t kCoffHeaderSize = 20;
constexpr std::uint16_t kPe32Magic = 0x10B;
constexpr std::uint16_t kPe32PlusMagic = 0x20B;
constexpr std::uint32_t kSecurityDirectory = 4;
constexpr std::uint16_t kPkcsSignedData = 0x0002;
constexpr std::size_t kWinCertificateHeader = 8;

// The unsigned attributes a timestamp travels in: Microsoft's RFC 3161
// countersignature (1.3.6.1.4.1.311.3.3.1) and PKCS #9's countersignature
// (1.2.840.113549.1.9.6), as DER object identifiers.
constexpr std::string_view kRfc3161Timestamp = "\x06\x0A\x2B\x06\x01\x04\x01\x82\x37\x03\x03\x01";
constexpr std::string_view kPkcs9Countersignature = "\x06\x09\x2A\x86\x48\x86\xF7\x0D\x01\x09\x06";

PeSignature Damaged(std::string problem) { return {PeSigning::Damaged, std::move(problem)}; }

bool Digits(std::string_view text) {
  for (const char c : text) {
    if (c < '0' || c > '9') return false;
  }
  return true;
}

// "YYYY-MM-DD" of a DER UTCTime (YYMMDDhhmmssZ) or GeneralizedTime
// (YYYYMMDDhhmmssZ) at the start of der, with its tag and length.
std::optional<std::string> TimeAt(std::string_view der) {
  if (der.size() < 2) return std::nullopt;
  const auto tag = static_cast<unsigned char>(der[0]);
  const std::size_t length = static_cast<unsigned char>(der[1]);
  const bool utc = tag == 0x17 && length == 13;
  if (!(utc || (tag == 0x18 && length == 15)) || der.size() < 2 + length) return std::nullopt;
  std::string_view text = der.substr(2, length - 1);
  if (!Digits(text) || der[1 + length] != 'Z') return std::nullopt;
  std::string year(text.substr(0, utc ? 2 : 4));
  if (utc) year = (year < "50" ? "20" : "19") + year;  // RFC 5280's window
  text.remove_prefix(utc ? 2 : 4);
  return year + "-" + std::string(text.substr(0, 2)) + "-" + std::string(text.substr(2, 2));
}

// The earliest notAfter of the Validity sequences (two times) in der.
std::optional<std::string> EarliestValidityEnd(std::string_view der) {
  std::optional<std::string> earliest;
  for (std::size_t at = 0; at + 2 < der.size(); ++at) {
    if (der[at] != 0x30) continue;
    const std::size_t length = static_cast<unsigned char>(der[at + 1]);
    if (length != 30 && length != 32 && length != 34) continue;
    if (at + 2 + length > der.size()) continue;
    const std::string_view inside = der.substr(at + 2, length);
    const std::optional<std::string> from = TimeAt(inside);
    if (!from) continue;
    const std::size_t second = 2 + static_cast<unsigned char>(inside[1]);
    const std::optional<std::string> until = TimeAt(inside.substr(second));
    if (until && second + 2 + static_cast<unsigned char>(inside[second + 1]) == length &&
        (!earliest || *until < *earliest)) {
      earliest = until;
    }
  }
  return earliest;
}

}  // namespace

PeSignature ReadPeSignature(std::string_view bytes) {
  if (bytes.size() < kDosHeaderSize || bytes.substr(0, 2) != "MZ") {
    return Damaged("it does not begin with a program's \"MZ\" header");
  }
  const std::size_t pe = Le32(bytes, kPeHeaderOffsetField);
  if (pe > bytes.size() || bytes.size() - pe < 4 + kCoffHeaderSize + 2 ||
      bytes.substr(pe, 4) != std::string_view("PE\0\0", 4)) {
    return Damaged("its header points to no \"PE\" signature");
  }
  const std::size_t coff = pe + 4;
  const std::size_t optionalSize = Le16(bytes, coff + 16);
  const std::size_t optional = coff + kCoffHeaderSize;
  if (bytes.size() - optional < optionalSize) {
    return Damaged("its optional header runs beyond the end of the file");
  }
  const std::uint32_t magic = optionalSize >= 2 ? Le16(bytes, optional) : 0;
  if (magic != kPe32Magic && magic != kPe32PlusMagic) {
    return Damaged("its optional header is neither PE32 nor PE32+");
  }
  const std::size_t countField = magic == kPe32Magic ? 92 : 108;
  const std::size_t directories = countField + 4;
  const std::size_t security = directories + kSecurityDirectory * 8;
  if (optionalSize < countField + 4 || Le32(bytes, optional + countField) <= kSecurityDirectory ||
      optionalSize < security + 8) {
    return {PeSigning::Unsigned};
  }
  const std::size_t table = Le32(bytes, optional + security);
  const std::size_t tableSize = Le32(bytes, optional + security + 4);
  if (table == 0 && tableSize == 0) return {PeSigning::Unsigned};
  if (table > bytes.size() || bytes.size() - table < tableSize ||
      tableSize < kWinCertificateHeader) {
    return Damaged("its signature table lies beyond the end of the file");
  }
  const std::size_t length = Le32(bytes, table);
  if (length < kWinCertificateHeader || length > tableSize ||
      Le16(bytes, table + 6) != kPkcsSignedData) {
    return Damaged("its signature table holds no Authenticode signature");
  }
  const std::string_view signature =
      bytes.substr(table + kWinCertificateHeader, length - kWinCertificateHeader);
  if (signature.empty() || signature[0] != 0x30) {
    return Damaged("its signature is not a PKCS #7 structure");
  }
  PeSignature result{PeSigning::Signed};
  result.timestamped = signature.find(kRfc3161Timestamp) != std::string_view::npos ||
                       signature.find(kPkcs9Countersignature) != std::string_view::npos;
  result.certificatesEnd = EarliestValidityEnd(signature);
  return result;
}

}  // namespace orvex::check
