#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

// Writes the sample novel with all its pictures and sounds into a folder.
namespace miravo::samplegen {

// The novel file inside the sample folder.
inline constexpr const char* kSampleNovelFileName = "sample.mve";

// A data file of the sample: its path relative to the novel folder as scripts write it
// (Shift-JIS, backslashes), and how its bytes are made.
struct SampleAsset {
    std::string relativePath;
    std::function<std::string()> encode;
};
const std::vector<SampleAsset>& SampleAssets();

// Creates the folder and its subfolders as needed and writes every asset and the novel file;
// returns the paths written. Raises std::runtime_error or the editor's file errors on failure.
std::vector<std::filesystem::path> GenerateSample(const std::filesystem::path& folder);

// The file of a relative path as scripts write it (Shift-JIS, backslashes).
std::filesystem::path AssetPath(const std::filesystem::path& folder, const std::string& relative);

} // namespace miravo::samplegen
