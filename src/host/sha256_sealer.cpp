#include "host/sha256_sealer.h"

#include "protocol/deal_seal.h"

#include <QCryptographicHash>
#include <QRandomGenerator>

#include <array>

namespace lastling::host {

DealSeal Sha256Sealer::seal(const std::vector<int>& deck) {
    std::array<quint32, protocol::kDealSaltBytes / sizeof(quint32)> words{};
    QRandomGenerator::system()->fillRange(words.data(), words.size());
    const std::string salt(reinterpret_cast<const char*>(words.data()), protocol::kDealSaltBytes);
    const std::string bytes = protocol::sealedBytes(deck, salt);
    const QByteArray digest =
        QCryptographicHash::hash(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())),
                                 QCryptographicHash::Sha256);
    return {protocol::toHex(
                std::string_view(digest.constData(), static_cast<std::size_t>(digest.size()))),
            protocol::toHex(salt), deck};
}

} // namespace lastling::host
