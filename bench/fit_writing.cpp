// Fits the spot finder's last judgement, writing or a spot, to the corpus: reads the traits
// `bench_scan_corpus` prints with ORVANEK_CORPUS_TRAITS set ("traits LABEL V1 .. Vn | SEED
// case", LABEL 1 for a mark that was drawn, 0 for one that was not; put the seed in as the
// README shows) and fits a model of "not drawn":
//
//   fit_writing --boost N [--shrink S] [--least-leaf L] [--test-from SEED] < traits.txt
//       N trees of two levels boosted on the logistic loss, each class weighing half, every
//       leaf at least L marks, each tree's leaves shrunk by S; prints the trees as the finder
//       holds them (kWritingTrees) and, for thresholds of the score, how many drawn and
//       not-drawn marks it takes for writing, on the seeds below SEED (fitted) and the rest;
//   fit_writing [--l2 L] < traits.txt
//       a logistic model of the standardised traits instead, its weights in the traits' own
//       units and the marks each threshold takes;
//   fit_writing --weights W0 W1 .. Wn < traits.txt
//       only that table, for a given logistic model.

#include "scan/scanspots.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

namespace {

using orvanek::kMarkTraits;

struct Row {
    bool drawn = false;
    std::array<double, kMarkTraits> v{};
};

double scoreOf(const std::vector<double> &w, const std::array<double, kMarkTraits> &v) {
    double z = w[0];
    for (int i = 0; i < kMarkTraits; ++i)
        z += w[static_cast<size_t>(i) + 1] * v[static_cast<size_t>(i)];
    return z;
}

// The drawn and not-drawn spots each threshold of the score takes for writing.
void printTable(const std::vector<Row> &rows, const std::vector<double> &w) {
    std::vector<double> drawn, notDrawn;
    for (const Row &r : rows)
        (r.drawn ? drawn : notDrawn).push_back(scoreOf(w, r.v));
    std::sort(drawn.begin(), drawn.end());
    std::printf("drawn %zu, not drawn %zu\n%10s %8s %10s\n", drawn.size(), notDrawn.size(),
                "threshold", "drawn", "not drawn");
    for (int lost : {0, 1, 2, 3, 5, 8, 12, 20}) {
        if (static_cast<size_t>(lost) >= drawn.size())
            break;
        // The threshold that takes `lost` drawn spots: just below the lost+1-th highest score.
        const double t = drawn[drawn.size() - 1 - static_cast<size_t>(lost)] + 1e-9;
        const auto taken =
            std::count_if(notDrawn.begin(), notDrawn.end(), [&](double s) { return s > t; });
        std::printf("%10.4f %8d %10td\n", t, lost, taken);
    }
}

// A tree of two levels: the root's split, then one split on each side, four leaves.
struct Tree {
    int feature[3] = {0, 0, 0};
    double threshold[3] = {0, 0, 0};
    double leaf[4] = {0, 0, 0, 0};
    double of(const std::array<double, kMarkTraits> &v) const {
        const int side = v[feature[0]] > threshold[0] ? 1 : 0;
        const int second = v[feature[1 + side]] > threshold[1 + side] ? 1 : 0;
        return leaf[2 * side + second];
    }
};

double boostedScore(const std::vector<Tree> &trees, const std::array<double, kMarkTraits> &v) {
    double z = 0;
    for (const Tree &t : trees)
        z += t.of(v);
    return z;
}

// The best split of `members` for residuals r with weights h (Newton): feature, threshold,
// and the gain.
struct Split {
    int feature = -1;
    double threshold = 0;
    double gain = 0;
};
Split bestSplit(const std::vector<Row> &rows, const std::vector<size_t> &members,
                const std::vector<double> &g, const std::vector<double> &h, size_t leastWeight) {
    Split best;
    double G = 0, H = 0;
    for (size_t i : members) {
        G += g[i];
        H += h[i];
    }
    for (int f = 0; f < kMarkTraits; ++f) {
        std::vector<size_t> order = members;
        std::sort(order.begin(), order.end(),
                  [&](size_t a, size_t b) { return rows[a].v[f] < rows[b].v[f]; });
        double gl = 0, hl = 0;
        for (size_t k = 0; k + 1 < order.size(); ++k) {
            gl += g[order[k]];
            hl += h[order[k]];
            const double here = rows[order[k]].v[f], next = rows[order[k + 1]].v[f];
            if (here == next || k + 1 < leastWeight || order.size() - k - 1 < leastWeight)
                continue;
            const double gain =
                gl * gl / (hl + 1e-3) + (G - gl) * (G - gl) / (H - hl + 1e-3) - G * G / (H + 1e-3);
            if (gain > best.gain)
                best = {f, (here + next) / 2, gain};
        }
    }
    return best;
}

std::vector<Tree> boost(const std::vector<Row> &rows, int rounds, double shrink, size_t leastLeaf) {
    const double notDrawn = static_cast<double>(
        std::count_if(rows.begin(), rows.end(), [](const Row &r) { return !r.drawn; }));
    const double weightOf[2] = {0.5 / std::max(notDrawn, 1.0),
                                0.5 / std::max(rows.size() - notDrawn, 1.0)};
    std::vector<double> z(rows.size(), 0.0), g(rows.size()), h(rows.size());
    std::vector<Tree> trees;
    std::vector<size_t> all(rows.size());
    for (size_t i = 0; i < all.size(); ++i)
        all[i] = i;
    for (int round = 0; round < rounds; ++round) {
        for (size_t i = 0; i < rows.size(); ++i) {
            const double p = 1 / (1 + std::exp(-z[i]));
            const double wi = weightOf[rows[i].drawn ? 1 : 0];
            g[i] = wi * ((rows[i].drawn ? 0.0 : 1.0) - p);
            h[i] = wi * p * (1 - p);
        }
        Tree t;
        const Split root = bestSplit(rows, all, g, h, leastLeaf);
        if (root.feature < 0)
            break;
        t.feature[0] = root.feature;
        t.threshold[0] = root.threshold;
        std::vector<size_t> sides[2];
        for (size_t i : all)
            sides[rows[i].v[root.feature] > root.threshold ? 1 : 0].push_back(i);
        for (int side = 0; side < 2; ++side) {
            const Split s = bestSplit(rows, sides[side], g, h, leastLeaf);
            t.feature[1 + side] = s.feature < 0 ? 0 : s.feature;
            t.threshold[1 + side] = s.feature < 0 ? 1e300 : s.threshold;
            double G[2] = {0, 0}, H[2] = {0, 0};
            for (size_t i : sides[side]) {
                const int k = rows[i].v[t.feature[1 + side]] > t.threshold[1 + side] ? 1 : 0;
                G[k] += g[i];
                H[k] += h[i];
            }
            for (int k = 0; k < 2; ++k)
                t.leaf[2 * side + k] = shrink * G[k] / (H[k] + 1e-3);
        }
        for (size_t i = 0; i < rows.size(); ++i)
            z[i] += t.of(rows[i].v);
        trees.push_back(t);
    }
    return trees;
}

} // namespace

int main(int argc, char **argv) {
    double l2 = 1e-3;
    int boostRounds = 0;
    int testFrom = -1;
    double shrink = 0.2;
    size_t leastLeaf = 5;
    std::vector<int> rowSeed;
    std::vector<double> given;
    for (int i = 1; i < argc; ++i) {
        const std::string a(argv[i]);
        if (a == "--l2" && i + 1 < argc)
            l2 = std::atof(argv[++i]);
        else if (a == "--boost" && i + 1 < argc)
            boostRounds = std::atoi(argv[++i]);
        else if (a == "--shrink" && i + 1 < argc)
            shrink = std::atof(argv[++i]);
        else if (a == "--least-leaf" && i + 1 < argc)
            leastLeaf = static_cast<size_t>(std::atoi(argv[++i]));
        else if (a == "--test-from" && i + 1 < argc)
            testFrom = std::atoi(argv[++i]);
        else if (a == "--weights")
            while (i + 1 < argc)
                given.push_back(std::atof(argv[++i]));
    }
    std::vector<Row> rows;
    std::string line;
    while (std::getline(std::cin, line)) {
        if (line.rfind("traits ", 0) != 0)
            continue;
        std::istringstream in(line.substr(7));
        Row r;
        int label = 0;
        in >> label;
        r.drawn = label == 1;
        for (double &v : r.v)
            in >> v;
        std::string bar, seed;
        in >> bar >> seed;
        if (in) {
            rows.push_back(r);
            rowSeed.push_back(std::atoi(seed.c_str()));
        }
    }
    if (rows.empty()) {
        std::fprintf(stderr, "no traits read\n");
        return 1;
    }
    if (boostRounds > 0) {
        std::vector<Row> train, test;
        for (size_t i = 0; i < rows.size(); ++i)
            (testFrom >= 0 && rowSeed[i] >= testFrom ? test : train).push_back(rows[i]);
        const std::vector<Tree> trees = boost(train, boostRounds, shrink, leastLeaf);
        std::printf("trees:\n");
        for (const Tree &t : trees)
            std::printf("    {{%d, %d, %d}, {%.5g, %.5g, %.5g}, {%.5g, %.5g, %.5g, %.5g}},\n",
                        t.feature[0], t.feature[1], t.feature[2], t.threshold[0], t.threshold[1],
                        t.threshold[2], t.leaf[0], t.leaf[1], t.leaf[2], t.leaf[3]);
        for (const auto *set : {&train, &test}) {
            if (set->empty())
                continue;
            std::vector<double> drawn, notDrawn;
            for (const Row &r : *set)
                (r.drawn ? drawn : notDrawn).push_back(boostedScore(trees, r.v));
            std::sort(drawn.begin(), drawn.end());
            std::printf("%s: drawn %zu, not drawn %zu\n", set == &train ? "train" : "test",
                        drawn.size(), notDrawn.size());
            for (double t : {-2.0, -1.0, 0.0, 1.0, 1.5, 2.0, 2.5, 3.0, 4.0})
                std::printf(
                    "  above %5.1f: drawn %td, not drawn %td\n", t,
                    std::count_if(drawn.begin(), drawn.end(), [&](double s) { return s > t; }),
                    std::count_if(notDrawn.begin(), notDrawn.end(),
                                  [&](double s) { return s > t; }));
        }
        return 0;
    }
    if (!given.empty()) {
        given.resize(kMarkTraits + 1, 0);
        printTable(rows, given);
        return 0;
    }
    // Standardised traits; each class weighs half.
    std::array<double, kMarkTraits> mean{}, spread{};
    for (const Row &r : rows)
        for (int i = 0; i < kMarkTraits; ++i)
            mean[i] += r.v[i] / rows.size();
    for (const Row &r : rows)
        for (int i = 0; i < kMarkTraits; ++i)
            spread[i] += (r.v[i] - mean[i]) * (r.v[i] - mean[i]) / rows.size();
    for (double &s : spread)
        s = std::sqrt(std::max(s, 1e-12));
    const double notDrawn = static_cast<double>(
        std::count_if(rows.begin(), rows.end(), [](const Row &r) { return !r.drawn; }));
    const double weightOf[2] = {0.5 / std::max(notDrawn, 1.0),
                                0.5 / std::max(rows.size() - notDrawn, 1.0)};
    std::vector<double> w(kMarkTraits + 1, 0.0), m(w.size(), 0.0), s2(w.size(), 0.0);
    for (int step = 1; step <= 4000; ++step) {
        std::vector<double> g(w.size(), 0.0);
        for (const Row &r : rows) {
            double z = w[0];
            for (int i = 0; i < kMarkTraits; ++i)
                z += w[i + 1] * (r.v[i] - mean[i]) / spread[i];
            const double p = 1 / (1 + std::exp(-z)); // of not drawn
            const double e = (p - (r.drawn ? 0.0 : 1.0)) * weightOf[r.drawn ? 1 : 0];
            g[0] += e;
            for (int i = 0; i < kMarkTraits; ++i)
                g[i + 1] += e * (r.v[i] - mean[i]) / spread[i];
        }
        for (size_t i = 1; i < w.size(); ++i)
            g[i] += l2 * w[i];
        // Adam.
        for (size_t i = 0; i < w.size(); ++i) {
            m[i] = 0.9 * m[i] + 0.1 * g[i];
            s2[i] = 0.999 * s2[i] + 0.001 * g[i] * g[i];
            const double mh = m[i] / (1 - std::pow(0.9, step));
            const double sh = s2[i] / (1 - std::pow(0.999, step));
            w[i] -= 0.05 * mh / (std::sqrt(sh) + 1e-8);
        }
    }
    // Back to the traits' own units.
    std::vector<double> own(w.size());
    own[0] = w[0];
    for (int i = 0; i < kMarkTraits; ++i) {
        own[i + 1] = w[i + 1] / spread[i];
        own[0] -= w[i + 1] * mean[i] / spread[i];
    }
    const auto names = orvanek::markTraitNames();
    std::printf("%-24s %10s %10s\n", "trait", "weight", "standard");
    std::printf("%-24s %10.5g\n", "(bias)", own[0]);
    for (int i = 0; i < kMarkTraits; ++i)
        std::printf("%-24s %10.5g %10.4f\n", names[i], own[i + 1], w[i + 1]);
    std::printf("weights:");
    for (double x : own)
        std::printf(" %.6g", x);
    std::printf("\n");
    printTable(rows, own);
    return 0;
}
