#include "framework/result.h"
#include "framework/str.h"
#include "xml/doc.h"
#include "xml_documents.h"

#include <charconv>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <pugixml.hpp>
#include <string_view>

// Writes a generated document to a file, or parses one file once, so that a
// parse's peak memory can be measured on its own (with /usr/bin/time -v) in a
// process that holds nothing else.
namespace {

constexpr const char* kUsage = "usage: xml_parse_once generate <records|mixed> <megabytes> <file>\n"
                               "       xml_parse_once parse-ours <file>\n"
                               "       xml_parse_once parse-pugixml <file>\n";

int Usage() {
    std::fputs(kUsage, stderr);
    return 2;
}

int Generate(std::string_view shapeName, std::string_view megabytesText, const char* path) {
    const auto shape = NBench::ShapeFromName(shapeName);
    std::size_t megabytes = 0;
    const auto [end, error] = std::from_chars(
        megabytesText.data(), megabytesText.data() + megabytesText.size(), megabytes);
    if (!shape || error != std::errc() || end != megabytesText.data() + megabytesText.size())
        return Usage();
    const std::string text = NBench::GenerateXmlDocument(*shape, megabytes * NBench::kMegabyte);
    std::ofstream file(path, std::ios::binary);
    file.write(text.data(), static_cast<std::streamsize>(text.size()));
    file.close();
    if (!file) {
        std::fprintf(stderr, "cannot write %s\n", path);
        return 1;
    }
    return 0;
}

// Runs `parse` once and reports its time; `parse` says whether it succeeded.
template <typename TParse> int TimeParse(const char* parser, TParse parse) {
    const auto start = std::chrono::steady_clock::now();
    const bool parsed = parse();
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
    std::printf("%s: %s in %.3f s\n", parser, parsed ? "parsed" : "FAILED", elapsed.count());
    return parsed ? 0 : 1;
}

int ParseOurs(const char* path) {
    const NString::TStr<char16_t> widePath(path);
    NXML::CDoc document;
    return TimeParse("ours", [&] { return document.Load(widePath.Text()) == NResult::kOk; });
}

int ParsePugixml(const char* path) {
    pugi::xml_document document;
    return TimeParse("pugixml", [&] { return bool(document.load_file(path)); });
}

} // namespace

int main(int argc, char** argv) {
    const std::string_view command = argc > 1 ? argv[1] : "";
    if (command == "generate" && argc == 5)
        return Generate(argv[2], argv[3], argv[4]);
    if (command == "parse-ours" && argc == 3)
        return ParseOurs(argv[2]);
    if (command == "parse-pugixml" && argc == 3)
        return ParsePugixml(argv[2]);
    return Usage();
}
