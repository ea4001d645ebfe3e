// The header, the export list and the built library must agree name for name, and twin names
// must be one function.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>

namespace {

TEST(Exports, HeaderListAndLibraryAgreeAndTwinsAreOneFunction) {
    std::set<std::string> declared, listed, exported;
    std::ifstream header(ZEFRA_HEADER);
    const std::string text((std::istreambuf_iterator<char>(header)), std::istreambuf_iterator<char>());
    const std::regex declaration("ZEFRA_API int32_t ZEFRA_CALL (\\w+)\\(");
    for (std::sregex_iterator it(text.begin(), text.end(), declaration), end; it != end; ++it)
        declared.insert((*it)[1]);

    std::ifstream list(ZEFRA_EXPORT_LIST);
    std::map<std::string, std::string> twinOf;  // name -> the function it is a twin of ("" for one of its own)
    for (std::string line; std::getline(list, line);) {
        std::istringstream words(line);
        std::string name, target;
        if (!(words >> name) || name[0] == '#') continue;
        words >> target;
        EXPECT_TRUE(listed.insert(name).second) << "listed twice: " << name;
        twinOf[name] = target;
    }

    FILE* nm = popen((std::string("nm -D --defined-only ") + ZEFRA_LIBRARY).c_str(), "r");
    ASSERT_NE(nm, nullptr);
    char line[512], type[8], symbol[400];
    while (std::fgets(line, sizeof line, nm) != nullptr)  // type "A" is the version node
        if (std::sscanf(line, "%*s %7s %399[^@\n]", type, symbol) == 2 && std::string(type) != "A")
            exported.insert(symbol);
    pclose(nm);
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
