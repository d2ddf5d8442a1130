#include "core/dialogs/MapLayout.h"

#include <algorithm>
#include <numeric>

MapLayout::MapLayout(const std::map<qint16, int> &rows, const std::vector<std::pair<qint16, qint16>> &links) {
    std::map<int, std::vector<qint16>> byRow;
    for (const auto &[page, row] : rows)
        byRow[row].push_back(page);
    auto &layerOf = m_layerOf;
    for (auto &[row, pages] : byRow) {
        for (const qint16 page : pages)
            layerOf[page] = m_layers.size();
        m_layers.push_back(std::move(pages));
    }
    for (const auto &[from, to] : links) {
        const auto a = layerOf.find(from), b = layerOf.find(to);
        if (a == layerOf.end() || b == layerOf.end() || a->second == b->second)
            continue;
        const bool down = a->second < b->second;
        m_below[down ? from : to].push_back(down ? to : from);
        m_above[down ? to : from].push_back(down ? from : to);
    }
}

qreal MapLayout::pull(qint16 page, bool down) {
    const auto &neighbours = down ? m_above : m_below;
    const auto found = neighbours.find(page);
    if (found == neighbours.end() || found->second.empty())
        return m_at[page];
    qreal sum = 0;
    for (const qint16 other : found->second)
        sum += m_at[other];
    return sum / qreal(found->second.size());
}

void MapLayout::sweep(bool down) {
    const std::size_t count = m_layers.size();
    for (std::size_t i = 0; i < count; ++i) {
        std::vector<qint16> &layer = m_layers[down ? i : count - 1 - i];
        std::vector<std::pair<qreal, qint16>> keyed;
        keyed.reserve(layer.size());
        for (const qint16 page : layer)
            keyed.emplace_back(pull(page, down), page);
        std::stable_sort(keyed.begin(), keyed.end(),
                         [](const auto &a, const auto &b) { return a.first < b.first; });
        // Rows of any width share one middle, so that their places compare.
        const qreal middle = (qreal(keyed.size()) - 1) / 2;
        for (std::size_t n = 0; n < keyed.size(); ++n) {
            layer[n] = keyed[n].second;
            m_at[layer[n]] = qreal(n) - middle;
        }
    }
}

std::size_t MapLayout::crossings() const {
    std::size_t count = 0;
    for (std::size_t i = 0; i + 1 < m_layers.size(); ++i) {
        std::vector<std::pair<qreal, qreal>> links; // places in this row and the next
        for (const qint16 page : m_layers[i]) {
            const auto found = m_below.find(page);
            if (found != m_below.end())
                for (const qint16 other : found->second)
                    if (m_layerOf.at(other) == i + 1)
                        links.emplace_back(m_at.at(page), m_at.at(other));
        }
        for (std::size_t a = 0; a < links.size(); ++a)
            for (std::size_t b = a + 1; b < links.size(); ++b)
                if ((links[a].first - links[b].first) * (links[a].second - links[b].second) < 0)
                    ++count;
    }
    return count;
}

void MapLayout::order() {
    for (auto &layer : m_layers)
        for (std::size_t n = 0; n < layer.size(); ++n)
            m_at[layer[n]] = qreal(n) - (qreal(layer.size()) - 1) / 2;
    // Sweeps may undo what an earlier one gained: the order with the fewest crossings is kept.
    auto best = m_layers;
    auto bestAt = m_at;
    std::size_t fewest = crossings();
    for (int sweeps = 0; sweeps < 8 && fewest > 0; ++sweeps) {
        sweep(sweeps % 2 == 0); // down, then up
        if (const std::size_t count = crossings(); count < fewest) {
            fewest = count;
            best = m_layers;
            bestAt = m_at;
        }
    }
    m_layers = std::move(best);
    m_at = std::move(bestAt);
}

// Moves the centres as little as possible (least squares) so that neighbours stand at least
// `step` apart, their order kept: pool adjacent violators over the centres less their steps.
void MapLayout::separate(std::vector<qreal> &centres, qreal step) {
    struct Block {
        qreal sum;
        int count;
    };
    std::vector<Block> blocks;
    for (std::size_t n = 0; n < centres.size(); ++n) {
        blocks.push_back({centres[n] - qreal(n) * step, 1});
        while (blocks.size() > 1) {
            const Block &last = blocks.back(), &before = blocks[blocks.size() - 2];
            if (before.sum / before.count <= last.sum / last.count)
                break;
            const Block merged{before.sum + last.sum, before.count + last.count};
            blocks.pop_back();
            blocks.back() = merged;
        }
    }
    std::size_t n = 0;
    for (const Block &block : blocks)
        for (int k = 0; k < block.count; ++k, ++n)
            centres[n] = block.sum / block.count + qreal(n) * step;
}

void MapLayout::spread(const std::vector<Pages> &lines, bool down, qreal step, qreal band) {
    const std::size_t count = lines.size();
    for (std::size_t i = 0; i < count; ++i) {
        const Pages &line = lines[down ? i : count - 1 - i];
        std::vector<qreal> centres;
        for (const qint16 page : line)
            centres.push_back(pull(page, down));
        separate(centres, step);
        // Every line keeps within the width of the widest one, so that the map never grows
        // wider than its lines.
        if (!centres.empty()) {
            const qreal shift = std::max(-band - centres.front(), 0.0) + std::min(band - centres.back(), 0.0);
            for (qreal &centre : centres)
                centre += shift;
        }
        for (std::size_t n = 0; n < line.size(); ++n)
            m_at[line[n]] = centres[n];
    }
}

std::map<qint16, QPointF> MapLayout::place(const Metrics &metrics) {
    order();
    const qreal step = metrics.boxWidth + metrics.columnGap;
    const auto perLine = std::size_t(std::max(1, metrics.perLine));
    const auto height = [&metrics](qint16 page) {
        const auto found = metrics.heights.find(page);
        return found == metrics.heights.end() ? metrics.boxHeight : found->second;
    };
    std::vector<Pages> lines;
    m_lines.clear();
    qreal y = 0;
    for (const auto &layer : m_layers)
        for (std::size_t n = 0; n < layer.size(); n += perLine) {
            // The lines of one row stand closer than two rows.
            if (!m_lines.empty())
                y = m_lines.back().bottom + (n == 0 ? metrics.rowGap : metrics.rowGap / 2);
            lines.emplace_back(layer.begin() + n, layer.begin() + std::min(layer.size(), n + perLine));
            qreal tallest = 0;
            for (const qint16 page : lines.back())
                tallest = std::max(tallest, height(page));
            m_lines.push_back({y, y + tallest, {}});
        }
    // Start from the order's slots, then pull boxes under what leads to them, what leads to
    // them over what they lead to, and once more down so that the shown page's answers stand
    // under it.
    for (const Pages &line : lines)
        for (std::size_t n = 0; n < line.size(); ++n)
            m_at[line[n]] = (qreal(n) - (qreal(line.size()) - 1) / 2) * step;
    std::size_t widest = 1;
    for (const Pages &line : lines)
        widest = std::max(widest, line.size());
    const qreal band = (qreal(widest) - 1) / 2 * step;
    spread(lines, true, step, band);
    spread(lines, false, step, band);
    spread(lines, true, step, band);
    qreal left = 0;
    bool first = true;
    for (const Pages &line : lines)
        if (!line.empty()) {
            left = first ? m_at[line.front()] : std::min(left, m_at[line.front()]);
            first = false;
        }
    std::map<qint16, QPointF> out;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        m_lines[i].pages = lines[i];
        for (const qint16 page : lines[i])
            out[page] = QPointF(m_at[page] - left, m_lines[i].top);
    }
    return out;
}
