#pragma once

#include "runtime/NovelSource.h"

#include <string>

// The report of "/report:<file>" (UTF-8, one "Key: value" line each), so that tests can check a
// built program end to end: where the novel came from, its title and counts, and each data file
// the novel names with where it was found.
namespace miravo::runtime {

std::string RuntimeReport(const RuntimeArguments& arguments, const LoadedNovel& novel,
                          const std::vector<DataFile>& files);
// The report of a program that found no novel.
std::string FailureReport(const std::string& message);

} // namespace miravo::runtime
