// Reading a session against parsing the same text into a plain JSON tree, which finds keys in
// a tree: a file whose object holds 250,000 keys (3.5 MB), where a reader that searches keys
// in order takes a quadratic time, and a file of a million points, where building a tree of
// values is what the reader avoids.
#include <benchmark/benchmark.h>

#include <nlohmann/json.hpp>
#include <string>

#include "Ratios.h"
#include "session/Session.h"
#include "session/SessionReader.h"
#include "session/SessionWriter.h"

namespace {

const std::string& manyKeys() {
    static const std::string text = [] {
        zw::Session s;
        s.function.title = "Sin";
        std::string body = zw::SessionWriter::write(s);
        std::string keys;
        for (int i = 0; i < 250'000; ++i) {
            keys += "\"key" + std::to_string(i) + "\": " + std::to_string(i) + ",";
        }
        body.insert(1, keys);
        return body;
    }();
    return text;
}

const std::string& manyPoints() {
    static const std::string text = [] {
        zw::Session s;
        s.function.title = "Sin";
        zw::Session::Path path{zw::Color::redColor(), {}, {}};
        for (int i = 0; i < 1'000'000; ++i) {
            path.points.push_back({0.001 * i, -0.37 * i});
        }
        s.domain.paths.push_back(path);
        s.range.paths.push_back(path);
        s.transformedPathsShownInDomain.push_back(path);
        return zw::SessionWriter::write(s);
    }();
    return text;
}

void read(benchmark::State& state, const std::string& text) {
    for (auto _ : state) {
        zw::Session s;
        std::string error;
        if (!zw::SessionReader::read(text, s, error)) {
            state.SkipWithError(error.c_str());
            return;
        }
        benchmark::DoNotOptimize(s.domain.paths.data());
    }
    state.counters["MB"] = static_cast<double>(text.size()) / 1e6;
}

void parse(benchmark::State& state, const std::string& text) {
    for (auto _ : state) {
        const nlohmann::json tree = nlohmann::json::parse(text);
        benchmark::DoNotOptimize(tree.size());
    }
}

void BM_ReadSessionOfManyKeys(benchmark::State& state) {
    read(state, manyKeys());
}
BENCHMARK(BM_ReadSessionOfManyKeys)->Unit(benchmark::kMillisecond);

void BM_ParseJsonOfManyKeys(benchmark::State& state) {
    parse(state, manyKeys());
}
BENCHMARK(BM_ParseJsonOfManyKeys)->Unit(benchmark::kMillisecond);

void BM_ReadSessionOfManyPoints(benchmark::State& state) {
    read(state, manyPoints());
}
BENCHMARK(BM_ReadSessionOfManyPoints)->Unit(benchmark::kMillisecond);

void BM_ParseJsonOfManyPoints(benchmark::State& state) {
    parse(state, manyPoints());
}
BENCHMARK(BM_ParseJsonOfManyPoints)->Unit(benchmark::kMillisecond);

const int kKeys = zw::bench::addRatio("session of 250,000 keys read / parsed as plain JSON",
                                      "BM_ReadSessionOfManyKeys", "BM_ParseJsonOfManyKeys", 2.0);
const int kPoints =
    zw::bench::addRatio("session of 3,000,000 points read / parsed as plain JSON",
                        "BM_ReadSessionOfManyPoints", "BM_ParseJsonOfManyPoints", 1.0);

}  // namespace
