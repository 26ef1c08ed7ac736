#include "Hash.h"

#include <algorithm>

#include <QByteArray>
#include <QCryptographicHash>

std::array<std::uint8_t, 16> Md5Digest(const std::string& bytes) {
  const QByteArray digest = QCryptographicHash::hash(
      QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())),
      QCryptographicHash::Md5);
  std::array<std::uint8_t, 16> result{};
  std::copy_n(reinterpret_cast<const std::uint8_t*>(digest.constData()), result.size(),
              result.begin());
  return result;
}
