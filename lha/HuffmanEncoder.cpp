#include "lha/HuffmanEncoder.h"

#include "lha/Huffman.h"

#include <algorithm>
#include <array>

namespace lha {

namespace {

// Minimum-redundancy code lengths, computed in place (Moffat and Katajainen):
// `a` holds the frequencies in ascending order and receives the lengths, which
// then descend. Needs at least two entries.
void MinimumRedundancyLengths(std::vector<uint32_t>& a) {
    const int n = static_cast<int>(a.size());
    // First pass: pair the two smallest weights, leaves or inner nodes;
    // inner nodes keep the index of their parent.
    a[0] += a[1];
    int root = 0, leaf = 2;
    for (int next = 1; next < n - 1; ++next) {
        if (leaf >= n || a[root] < a[leaf]) {
            a[next] = a[root];
            a[root++] = static_cast<uint32_t>(next);
        } else {
            a[next] = a[leaf++];
        }
        if (leaf >= n || (root < next && a[root] < a[leaf])) {
            a[next] += a[root];
            a[root++] = static_cast<uint32_t>(next);
        } else {
            a[next] += a[leaf++];
        }
    }
    // Second pass: depths of the inner nodes.
    a[n - 2] = 0;
    for (int next = n - 3; next >= 0; --next) a[next] = a[a[next]] + 1;
    // Third pass: depths of the leaves.
    int available = 1, used = 0, depth = 0, next = n - 1;
    root = n - 2;
    while (available > 0) {
        while (root >= 0 && static_cast<int>(a[root]) == depth) {
            ++used;
            --root;
        }
        while (available > used) {
            a[next--] = static_cast<uint32_t>(depth);
            --available;
        }
        available = 2 * used;
        ++depth;
        used = 0;
    }
}

// Brings the number of codes of each length within `maxLength` while keeping
// the code complete (Kraft sum exactly 1): the decoder accepts nothing else.
void LimitLengths(std::vector<uint32_t>& perLength, unsigned maxLength) {
    for (size_t length = maxLength + 1; length < perLength.size(); ++length) {
        perLength[maxLength] += perLength[length];
        perLength[length] = 0;
    }
    // Kraft sum in units of 2^-maxLength.
    uint64_t full = uint64_t{1} << maxLength, sum = 0;
    for (unsigned length = 1; length <= maxLength; ++length) sum += uint64_t{perLength[length]} << (maxLength - length);
    while (sum > full) {
        // Lengthen the longest code that can still grow: the smallest step.
        unsigned length = maxLength - 1;
        while (perLength[length] == 0) --length;
        --perLength[length];
        ++perLength[length + 1];
        sum -= uint64_t{1} << (maxLength - length - 1);
    }
    while (sum < full) {
        // Shorten the longest code; its step always fits into what is missing.
        unsigned length = maxLength;
        while (perLength[length] == 0) --length;
        --perLength[length];
        ++perLength[length - 1];
        sum += uint64_t{1} << (maxLength - length);
    }
}

}  // namespace

void BuildCodeLengths(const uint32_t* frequencies, size_t count, unsigned maxLength, uint8_t* lengths) {
    std::vector<uint16_t> order;
    for (size_t i = 0; i < count; ++i)
        if (frequencies[i] != 0) order.push_back(static_cast<uint16_t>(i));
    std::stable_sort(order.begin(), order.end(),
                     [&](uint16_t a, uint16_t b) { return frequencies[a] < frequencies[b]; });
    std::vector<uint32_t> depths(order.size());
    for (size_t i = 0; i < order.size(); ++i) depths[i] = frequencies[order[i]];
    MinimumRedundancyLengths(depths);

    std::vector<uint32_t> perLength(std::max<size_t>(depths.front(), maxLength) + 1);
    for (uint32_t depth : depths) ++perLength[depth];
    LimitLengths(perLength, maxLength);

    // The rarest symbols take the longest codes.
    std::fill(lengths, lengths + count, 0);
    size_t rank = 0;
    for (unsigned length = maxLength; length >= 1; --length)
        for (uint32_t k = 0; k < perLength[length]; ++k) lengths[order[rank++]] = static_cast<uint8_t>(length);
}

void HuffmanCode::Build(const uint32_t* frequencies, size_t count, unsigned maxLength) {
    lengths_.assign(count, 0);
    codes_.assign(count, 0);
    size_t used = 0;
    singleSymbol_ = 0;
    for (size_t i = 0; i < count; ++i)
        if (frequencies[i] != 0) {
            ++used;
            singleSymbol_ = static_cast<unsigned>(i);
        }
    single_ = used < 2;
    if (single_) return;
    BuildCodeLengths(frequencies, count, maxLength, lengths_.data());
    AssignCanonicalCodes(lengths_.data(), count, codes_.data());
}

size_t HuffmanCode::UsedCount() const {
    size_t n = lengths_.size();
    while (n > 0 && lengths_[n - 1] == 0) --n;
    return n;
}

uint64_t HuffmanCode::Cost(const uint32_t* frequencies) const {
    uint64_t bits = 0;
    for (size_t i = 0; i < lengths_.size(); ++i) bits += uint64_t{frequencies[i]} * lengths_[i];
    return bits;
}

}  // namespace lha
