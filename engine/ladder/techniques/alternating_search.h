// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The breadth-first search of alternating chains that the chain finders share (plain chains over
// candidates, grouped chains over candidates and groups); not part of the ladder's interface.

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <map>
#include <utility>
#include <vector>

#include "../step.h"

namespace vornel::ladder::detail {

// Reads chains from a start node "off": its strong links turn nodes "on", their weak links turn
// nodes "off", and so on, one whole length at a time, so that the first chain offered for a start
// is a shortest one. Nodes are numbered 0..N-1; each is reached at most once on and once off per
// start. The graph comes as callables:
//   strong_count(n) and strong_to(n, i), the strong partners of n (i < strong_count(n));
//   for_each_weak(n, f), calling f(m) for every weak partner m of an "on" node n;
//   consider(start, end, links), offered every node turned on, with the chain's length in links;
//   it returns true when the search from this start can stop.
// `bound` is the length a chain must stay below; consider() may lower it.
template<std::size_t N>
class AlternatingSearch {
public:
    template<typename Count, typename To, typename Weak, typename Consider>
    void from(int start, const int& bound, Count&& strong_count, To&& strong_to, Weak&& for_each_weak,
              Consider&& consider) {
        ++stamp_;
        std::vector<int>& frontier = frontier_;
        frontier.clear();
        off_seen_[start] = stamp_;
        for (int i = 0; i < strong_count(start); ++i) {
            const int n = strong_to(start, i);
            if (on_seen_[n] == stamp_) continue;
            on_seen_[n] = stamp_;
            on_from_[n] = start;
            frontier.push_back(n);
        }
        int length = 1;
        while (!frontier.empty() && length < bound) {
            for (const int end : frontier)
                if (consider(start, end, length)) return;
            if (length + 2 >= bound) return;
            std::vector<int>& next = next_;
            next.clear();
            for (const int on : frontier) {
                for_each_weak(on, [&](int off) {
                    if (off_seen_[off] == stamp_ || strong_count(off) == 0) return;
                    off_seen_[off] = stamp_;
                    off_from_[off] = on;
                    for (int i = 0; i < strong_count(off); ++i) {
                        const int n = strong_to(off, i);
                        if (on_seen_[n] == stamp_) continue;
                        on_seen_[n] = stamp_;
                        on_from_[n] = off;
                        next.push_back(n);
                    }
                });
            }
            std::swap(frontier_, next_);
            length += 2;
        }
    }

    // The nodes of the chain found from `start` (off) to `end` (on), in order: start, then
    // alternately the node each strong and each weak link reaches.
    std::vector<int> path_to(int start, int end) const {
        std::vector<int> path{end};
        int on = end;
        while (true) {
            const int off = on_from_[static_cast<std::size_t>(on)];
            path.push_back(off);
            if (off == start) break;
            on = off_from_[static_cast<std::size_t>(off)];
            path.push_back(on);
        }
        std::reverse(path.begin(), path.end());
        return path;
    }

private:
    int stamp_ = 0;
    std::array<int, N> on_seen_{};
    std::array<int, N> off_seen_{};
    std::array<int, N> on_from_{};  // the "off" node whose strong link turned the node on
    std::array<int, N> off_from_{}; // the "on" node whose weak link turned the node off
    std::vector<int> frontier_;     // the nodes turned on at the length being read, kept between starts
    std::vector<int> next_;
};

// The chains a listing keeps: one per conclusion (what it removes and places), the shortest met
// for it, the first met among equally short ones. Listed shortest first, in the order met among
// equally short ones, so that the first listed is the one a search that stops at its first
// shortest chain returns.
template<typename Item>
class ShortestPerConclusion {
public:
    // True when a chain of `length` links proving this conclusion would be kept.
    bool wanted(const std::vector<Candidate>& removed, const std::vector<Candidate>& placed, int length) const {
        const auto it = index_.find(key(removed, placed));
        return it == index_.end() || kept_[it->second].length > length;
    }
    void keep(const std::vector<Candidate>& removed, const std::vector<Candidate>& placed, int length, Item item) {
        const auto [it, added] = index_.try_emplace(key(removed, placed), kept_.size());
        if (added)
            kept_.push_back({length, order_++, std::move(item)});
        else if (kept_[it->second].length > length)
            kept_[it->second] = {length, order_++, std::move(item)};
    }
    std::vector<Item> take() {
        std::sort(kept_.begin(), kept_.end(), [](const Kept& a, const Kept& b) {
            return a.length != b.length ? a.length < b.length : a.order < b.order;
        });
        std::vector<Item> items;
        for (Kept& k : kept_) items.push_back(std::move(k.item));
        return items;
    }

private:
    struct Kept {
        int length;
        int order;
        Item item;
    };
    static std::vector<std::uint16_t> key(const std::vector<Candidate>& removed, const std::vector<Candidate>& placed) {
        std::vector<std::uint16_t> k;
        for (const Candidate& e : removed) k.push_back(static_cast<std::uint16_t>(10 * e.cell + e.digit));
        for (const Candidate& p : placed) k.push_back(static_cast<std::uint16_t>(1000 + 10 * p.cell + p.digit));
        return k;
    }
    std::map<std::vector<std::uint16_t>, std::size_t> index_;
    std::vector<Kept> kept_;
    int order_ = 0;
};

} // namespace vornel::ladder::detail
