// A greedy packer with hash chains. The pictures are mostly flat colour, so
// the winning copies are long ones from far back (the row above, an earlier
// run of the same colour). The distances of the last few copies are tried
// before the chain: inside a large flat area they give a full-length copy at
// once, where the chain would first offer every nearer, shorter source. The
// chain search is bounded so that the largest picture packs in well under a
// second.
#include "tools/dbb/packer.h"

#include <algorithm>
#include <cstring>

#include "gfx/image.h"
#include "tools/dbb/raw_picture.h"

namespace dbb {
namespace {

// A record costs 7 bytes, so a copy pays only from 8 bytes up.
constexpr std::uint32_t kMinCopyLength = kRecordBytes + 1;
constexpr std::uint32_t kHashBits = 17;
constexpr std::uint32_t kHashWindow = 4;
constexpr int kMaxChainSteps = 1024;
constexpr std::size_t kRecentDistances = 4;
constexpr std::int32_t kNone = -1;

std::uint32_t HashAt(const std::uint8_t* bytes) {
    std::uint32_t word;
    std::memcpy(&word, bytes, sizeof word);
    return (word * 2654435761u) >> (32 - kHashBits);
}

// Length of the common prefix of a and b, at most `limit`.
std::uint32_t CommonPrefix(const std::uint8_t* a, const std::uint8_t* b, std::uint32_t limit) {
    constexpr std::uint32_t kBlock = 64;
    std::uint32_t length = 0;
    while (length + kBlock <= limit && std::memcmp(a + length, b + length, kBlock) == 0) length += kBlock;
    while (length < limit && a[length] == b[length]) ++length;
    return length;
}

class MatchFinder {
  public:
    explicit MatchFinder(std::span<const std::uint8_t> data)
        : data_(data), head_(std::size_t{1} << kHashBits, kNone), previous_(data.size(), kNone) {}

    void Insert(std::uint32_t position) {
        if (position + kHashWindow > data_.size()) return;
        const std::uint32_t hash = HashAt(data_.data() + position);
        previous_[position] = head_[hash];
        head_[hash] = static_cast<std::int32_t>(position);
    }

    void Remember(std::uint32_t distance) {
        recent_[nextRecent_] = distance;
        nextRecent_ = (nextRecent_ + 1) % kRecentDistances;
    }

    // The longest usable copy for `position`. A copy may not reach past its
    // own source, so a source D back gives at most D bytes.
    CopyRecord Best(std::uint32_t position) const {
        CopyRecord best{position, 0, 0};
        if (position + kHashWindow > data_.size()) return best;
        const std::uint32_t ceiling = std::min<std::uint64_t>(kMaxCopyLength, data_.size() - position);
        for (const std::uint32_t distance : recent_) {
            if (distance != 0 && distance <= position) Consider(best, distance, ceiling);
        }
        std::int32_t candidate = head_[HashAt(data_.data() + position)];
        for (int step = 0; candidate != kNone && step < kMaxChainSteps && best.length < ceiling; ++step) {
            const std::uint32_t distance = position - static_cast<std::uint32_t>(candidate);
            if (distance > kMaxDistance) break;
            Consider(best, distance, ceiling);
            candidate = previous_[static_cast<std::uint32_t>(candidate)];
        }
        return best;
    }

  private:
    void Consider(CopyRecord& best, std::uint32_t distance, std::uint32_t ceiling) const {
        const std::uint32_t limit = std::min(distance, ceiling);
        if (limit <= best.length || limit < kMinCopyLength) return;
        const std::uint8_t* here = data_.data() + best.position;
        const std::uint8_t* there = here - distance;
        if (there[best.length] != here[best.length]) return;
        const std::uint32_t length = CommonPrefix(here, there, limit);
        if (length > best.length) best = {best.position, length, distance};
    }

    std::span<const std::uint8_t> data_;
    std::vector<std::int32_t> head_;
    std::vector<std::int32_t> previous_;
    std::uint32_t recent_[kRecentDistances] = {};
    std::size_t nextRecent_ = 0;
};

void AppendRecord(std::vector<std::uint8_t>& out, const CopyRecord& record) {
    out.push_back(static_cast<std::uint8_t>(record.position));
    out.push_back(static_cast<std::uint8_t>(record.position >> 8));
    out.push_back(static_cast<std::uint8_t>(record.position >> 16));
    AppendU32(out, record.length | record.distance << 10);
}

}  // namespace

std::vector<std::uint8_t> Pack(std::span<const std::uint8_t> raw) {
    if (raw.size() > static_cast<std::size_t>(INT32_MAX)) throw Error("too large to pack");
    const auto size = static_cast<std::uint32_t>(raw.size());
    MatchFinder finder(raw);
    std::vector<std::uint8_t> literals;
    std::vector<CopyRecord> records;
    std::uint32_t position = 0;
    while (position < size) {
        CopyRecord copy{};
        if (position <= kMaxRecordPosition) copy = finder.Best(position);
        if (copy.length >= kMinCopyLength) {
            records.push_back(copy);
            finder.Remember(copy.distance);
            for (std::uint32_t i = 0; i < copy.length; ++i) finder.Insert(position + i);
            position += copy.length;
        } else {
            literals.push_back(raw[position]);
            finder.Insert(position);
            ++position;
        }
    }
    std::vector<std::uint8_t> packed;
    packed.reserve(8 + literals.size() + kRecordBytes * records.size());
    AppendU32(packed, static_cast<std::uint32_t>(literals.size()));
    packed.insert(packed.end(), literals.begin(), literals.end());
    AppendU32(packed, size);
    for (const CopyRecord& record : records) AppendRecord(packed, record);
    return packed;
}

std::vector<std::uint8_t> PackAndVerify(std::span<const std::uint8_t> raw) {
    std::vector<std::uint8_t> packed = Pack(raw);
    const LayoutCheck layout = CheckPackedLayout(packed);
    if (!layout.layout) throw Error("the packer broke the packed layout: " + layout.problem);
    // Room to spare, so that output running too long shows.
    std::vector<std::uint8_t> unpacked(raw.size() + 1);
    unpacked.resize(UnpackImage(packed.data(), static_cast<std::uint32_t>(packed.size()), unpacked.data(),
                                static_cast<std::uint32_t>(unpacked.size())));
    if (!std::equal(unpacked.begin(), unpacked.end(), raw.begin(), raw.end())) {
        throw Error("the packed form does not unpack to the original");
    }
    return packed;
}

std::vector<std::uint8_t> UnpackPicture(std::span<const std::uint8_t> packed) {
    if (packed.size() < 8) throw Error("not a packed picture: too short");
    const std::uint32_t literalCount = ReadU32(packed.data());
    if (literalCount > packed.size() - 8) throw Error("not a packed picture: its literals run past the end");
    const std::uint32_t unpackedSize = ReadU32(packed.data() + 4 + literalCount);
    if (unpackedSize > kMaxUnpackedBytes) {
        throw Error("not a packed picture: claims " + std::to_string(unpackedSize) + " unpacked bytes");
    }
    std::vector<std::uint8_t> raw(std::size_t{unpackedSize} + 1);
    raw.resize(UnpackImage(packed.data(), static_cast<std::uint32_t>(packed.size()), raw.data(),
                           static_cast<std::uint32_t>(raw.size())));
    if (raw.size() != unpackedSize) {
        throw Error("damaged packed picture: unpacks to " + std::to_string(raw.size()) + " of " +
                    std::to_string(unpackedSize) + " bytes");
    }
    if (!WholePictureHeader(raw)) throw Error("damaged packed picture: does not unpack to a whole picture");
    return raw;
}

namespace {

std::string RecordProblem(std::size_t index, const CopyRecord& record, std::uint64_t out) {
    const std::string where = "record " + std::to_string(index) + " at " + std::to_string(record.position);
    if (record.position < out) return where + " starts inside earlier output (sorted order broken)";
    if (record.length == 0 || record.length > kMaxCopyLength) return where + " has length " + std::to_string(record.length);
    if (record.distance < record.length) return where + " overlaps its own source";
    if (record.distance > record.position) return where + " copies from before the start";
    return {};
}

}  // namespace

LayoutCheck CheckPackedLayout(std::span<const std::uint8_t> packed) {
    if (packed.size() < 8) return {std::nullopt, "shorter than the two sizes"};
    PackedLayout layout;
    layout.literalCount = ReadU32(packed.data());
    if (layout.literalCount > packed.size() - 8) return {std::nullopt, "literal count runs past the end"};
    layout.unpackedSize = ReadU32(packed.data() + 4 + layout.literalCount);
    const std::size_t recordsStart = 8 + std::size_t{layout.literalCount};
    if ((packed.size() - recordsStart) % kRecordBytes != 0) return {std::nullopt, "records area is not whole records"};

    std::uint64_t out = 0;
    std::uint64_t literalsUsed = 0;
    for (std::size_t at = recordsStart; at < packed.size(); at += kRecordBytes) {
        const CopyRecord record = ReadCopyRecord(packed.data() + at);
        const std::string problem = RecordProblem(layout.records.size(), record, out);
        if (!problem.empty()) return {std::nullopt, problem};
        literalsUsed += record.position - out;
        out = std::uint64_t{record.position} + record.length;
        layout.records.push_back(record);
    }
    if (out > layout.unpackedSize) return {std::nullopt, "records run past the unpacked size"};
    literalsUsed += layout.unpackedSize - out;
    if (literalsUsed != layout.literalCount) {
        return {std::nullopt, "uses " + std::to_string(literalsUsed) + " literals of " +
                                  std::to_string(layout.literalCount)};
    }
    return {std::move(layout), {}};
}

}  // namespace dbb
