#include "tests/sound/probe/Events.h"

#include <cstdio>
#include <fstream>

namespace probe {

void CEvents::Put(const std::string& key, double value) {
    values_[key] = value;
    std::printf("%s %.4f\n", key.c_str(), value);
    std::fflush(stdout);
}

double CEvents::Get(const std::string& key) const {
    const auto found = values_.find(key);
    return found == values_.end() ? -1 : found->second;
}

bool CEvents::Save(const std::string& path) const {
    std::ofstream out(path);
    for (const auto& [key, value] : values_)
        out << key << ' ' << value << '\n';
    return bool(out);
}

CEvents CEvents::Load(const std::string& path) {
    CEvents events;
    std::ifstream in(path);
    std::string key;
    double value = 0;
    while (in >> key >> value)
        events.values_[key] = value;
    return events;
}

} // namespace probe
