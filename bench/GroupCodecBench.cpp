// Load and save of a page of 1,000 buttons with the portable codec and standard file streams,
// against reading and writing the same bytes without the codec.
//   bench_codec [runs] [folder]
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "BenchCommon.h"
#include "BenchPage.h"
#include "model/GroupCodec.h"

namespace {

constexpr size_t kButtons = 1000;
constexpr int kInner = 20;  // one load or save takes well under a millisecond

// The strings of the page are ASCII, which every ANSI code page holds exactly.
varolin::AnsiCodePage AsciiCodePage() {
    varolin::AnsiCodePage cp;
    cp.toAnsi = [](const std::wstring& text, std::string& bytes) {
        bytes.clear();
        bool exact = true;
        for (wchar_t c : text) {
            exact = exact && c < 0x80;
            bytes.push_back(c < 0x80 ? static_cast<char>(c) : '?');
        }
        return exact;
    };
    cp.toWide = [](const std::string& bytes) {
        return std::wstring(bytes.begin(), bytes.end());
    };
    return cp;
}

bool WriteBytes(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

std::vector<std::uint8_t> ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace

int main(int argc, char** argv) {
    const int runs = bench::Runs(argc, argv, 5);
    const std::string folder = argc > 2 ? std::string(argv[2]) + "/" : std::string();
    const std::string pagePath = folder + "GRP000.VRL";
    const std::string rawPath = folder + "raw.bin";
    const varolin::AnsiCodePage cp = AsciiCodePage();
    const auto page = bench::MakePage(kButtons, L"C:\\Users\\bench\\Documents\\Projects\\");

    std::vector<double> save, rawWrite, load, rawRead;
    const std::vector<std::uint8_t> reference = varolin::EncodeGroupFile(page, cp);
    for (int run = 0; run < runs; ++run) {
        bench::Stopwatch saving;
        for (int i = 0; i < kInner; ++i) {
            if (!WriteBytes(pagePath, varolin::EncodeGroupFile(page, cp))) return 1;
        }
        save.push_back(saving.Ms() / kInner);

        bench::Stopwatch writing;
        for (int i = 0; i < kInner; ++i) {
            if (!WriteBytes(rawPath, reference)) return 1;
        }
        rawWrite.push_back(writing.Ms() / kInner);

        bench::Stopwatch loading;
        for (int i = 0; i < kInner; ++i) {
            const varolin::GroupFileContents contents = varolin::DecodeGroupFile(ReadBytes(pagePath), cp);
            if (contents.records.size() != kButtons || contents.damaged) {
                std::fprintf(stderr, "bench_codec: the page did not read back whole\n");
                return 1;
            }
        }
        load.push_back(loading.Ms() / kInner);

        bench::Stopwatch reading;
        for (int i = 0; i < kInner; ++i) {
            if (ReadBytes(rawPath).size() != reference.size()) return 1;
        }
        rawRead.push_back(reading.Ms() / kInner);
    }
    bench::Figure("group.native.raw_write", bench::Median(rawWrite), "ms");
    bench::PairedFigure("group.native.save_1000", save, "ms", rawWrite);
    bench::Figure("group.native.raw_read", bench::Median(rawRead), "ms");
    bench::PairedFigure("group.native.load_1000", load, "ms", rawRead);
    bench::Figure("group.file_size_1000", static_cast<double>(reference.size()) / 1024.0, "KB");
    return 0;
}
