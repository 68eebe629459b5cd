#pragma once

#include <map>
#include <string>

namespace probe {

// What the playing side measured, handed to the checking side as "key value" lines.
class CEvents {
public:
    void Put(const std::string& key, double value);
    bool Has(const std::string& key) const { return values_.count(key) != 0; }
    double Get(const std::string& key) const;
    bool Save(const std::string& path) const;
    static CEvents Load(const std::string& path);

private:
    std::map<std::string, double> values_;
};

} // namespace probe
