// The header, the export list and the built library must agree name for name, and twin names
// must be one function.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>

namespace {

std::string readFile(const char* path) {
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

std::set<std::string> declaredInHeader() {
    // Declarations read "ZEFRA_API int32_t ZEFRA_CALL name(".
    const std::string header = readFile(ZEFRA_HEADER);
    const std::string lead = "ZEFRA_API int32_t ZEFRA_CALL ";
    std::set<std::string> names;
    for (std::size_t at = header.find(lead); at != std::string::npos; at = header.find(lead, at + 1)) {
        const std::size_t start = at + lead.size();
        names.insert(header.substr(start, header.find('(', start) - start));
    }
    return names;
}

// name -> the function it is a twin of ("" for a function of its own)
std::map<std::string, std::string> exportList() {
    std::ifstream in(ZEFRA_EXPORT_LIST);
    std::map<std::string, std::string> names;
    for (std::string line; std::getline(in, line);) {
        std::istringstream words(line);
        std::string name, target;
        if (!(words >> name) || name[0] == '#') continue;
        words >> target;
        EXPECT_TRUE(names.emplace(name, target).second) << "listed twice: " << name;
    }
    return names;
}

std::set<std::string> exportedByLibrary() {
    const std::string command = std::string("nm -D --defined-only ") + ZEFRA_LIBRARY;
    std::set<std::string> names;
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) return names;
    char line[512];
    while (std::fgets(line, sizeof line, pipe) != nullptr) {
        std::istringstream words(line);
        std::string address, type, name;
        if (!(words >> address >> type >> name)) continue;
        if (type == "A") continue;  // the version node
        names.insert(name.substr(0, name.find('@')));
    }
    pclose(pipe);
    return names;
}

TEST(Exports, HeaderListAndLibraryAgree) {
    const auto declared = declaredInHeader();
    const auto listed = exportList();
    const auto exported = exportedByLibrary();
    ASSERT_FALSE(declared.empty());
    ASSERT_FALSE(exported.empty());
    std::set<std::string> listedNames;
    for (const auto& [name, target] : listed) listedNames.insert(name);
    EXPECT_EQ(declared, listedNames) << "header and src/exports.txt differ";
    EXPECT_EQ(exported, listedNames) << "the library exports a different set of names";
}

TEST(Exports, TwinsAreOneFunction) {
    void* library = dlopen(ZEFRA_LIBRARY, RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(library, nullptr) << dlerror();
    for (const auto& [name, target] : exportList()) {
        void* address = dlsym(library, name.c_str());
        EXPECT_NE(address, nullptr) << name;
        if (!target.empty()) {
            EXPECT_EQ(address, dlsym(library, target.c_str())) << name << " vs " << target;
        }
    }
    dlclose(library);
}

}  // namespace
