// The reference tables of tests/data: comma-separated rows, '#' comments and
// one header line naming the columns.
#pragma once

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

// The rows of a table as text fields; comments and the header are skipped.
inline std::vector<std::vector<std::string>> ReadCsv(const std::string& name) {
    std::ifstream in(std::string(KELMARON_TEST_DATA) + "/" + name);
    std::vector<std::vector<std::string>> rows;
    std::string line;
    bool header = true;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#') continue;
        if (header) {
            header = false;
            continue;
        }
        std::vector<std::string> fields;
        std::stringstream ss(line);
        std::string f;
        while (std::getline(ss, f, ',')) fields.push_back(f);
        rows.push_back(fields);
    }
    return rows;
}
