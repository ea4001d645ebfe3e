// The header, the export list and the built library must agree name for name, and twin names
// must be one function.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <sstream>
#include <string>

namespace {

// Declarations read "ZEFRA_API int32_t ZEFRA_CALL name(".
std::set<std::string> declaredInHeader() {
    std::ifstream in(ZEFRA_HEADER);
    const std::string header((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const std::string lead = "ZEFRA_API int32_t ZEFRA_CALL ";
    std::set<std::string> names;
    for (std::size_t at = header.find(lead); at != std::string::npos; at = header.find(lead, at + 1)) {
        const std::size_t start = at + lead.size();
        names.insert(header.substr(start, header.find('(', start) - start));
    }
    return names;
}

std::set<std::string> exportedByLibrary() {
    std::set<std::string> names;
    FILE* pipe = popen((std::string("nm -D --defined-only ") + ZEFRA_LIBRARY).c_str(), "r");
    if (pipe == nullptr) return names;
    char line[512];
    while (std::fgets(line, sizeof line, pipe) != nullptr) {
        std::istringstream words(line);
        std::string address, type, name;
        // Type "A" is the version node.
        if ((words >> address >> type >> name) && type != "A") names.insert(name.substr(0, name.find('@')));
    }
    pclose(pipe);
    return names;
}

TEST(Exports, HeaderListAndLibraryAgreeAndTwinsAreOneFunction) {
    std::ifstream in(ZEFRA_EXPORT_LIST);
    std::map<std::string, std::string> twinOf;  // name -> the function it is a twin of ("" for one of its own)
    std::set<std::string> listed;
    for (std::string line; std::getline(in, line);) {
        std::istringstream words(line);
        std::string name, target;
        if (!(words >> name) || name[0] == '#') continue;
        words >> target;
        EXPECT_TRUE(listed.insert(name).second) << "listed twice: " << name;
        twinOf[name] = target;
    }
    const auto declared = declaredInHeader();
    const auto exported = exportedByLibrary();
    ASSERT_FALSE(declared.empty());
    ASSERT_FALSE(exported.empty());
    EXPECT_EQ(declared, listed) << "header and src/exports.txt differ";
    EXPECT_EQ(exported, listed) << "the library exports a different set of names";

    void* library = dlopen(ZEFRA_LIBRARY, RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(library, nullptr) << dlerror();
    for (const auto& [name, target] : twinOf) {
        void* address = dlsym(library, name.c_str());
        EXPECT_NE(address, nullptr) << name;
        if (!target.empty()) {
            EXPECT_EQ(address, dlsym(library, target.c_str())) << name << " vs " << target;
        }
    }
    dlclose(library);
}

}  // namespace
