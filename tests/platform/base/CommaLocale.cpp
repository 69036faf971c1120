#include "tests/platform/base/CommaLocale.h"

#include <fcntl.h>
#include <spawn.h>
#include <stdlib.h>
#include <sys/wait.h>

#include <clocale>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>

extern char** environ;

namespace {

const char kName[] = "qv_COMMA";

// Every ASCII character under its Unicode name, one byte each: enough for
// localedef to fill in the categories the definition leaves out.
void WriteCharmap(const std::string& path) {
    std::ofstream out(path);
    out << "<code_set_name> QV_ASCII\n<mb_cur_min> 1\n<mb_cur_max> 1\n"
           "<escape_char> /\n<comment_char> %\nCHARMAP\n";
    char line[32];
    for (int c = 0; c < 128; ++c) {
        std::snprintf(line, sizeof line, "<U%04X> /x%02x\n", c, c);
        out << line;
    }
    out << "END CHARMAP\n";
}

void WriteDefinition(const std::string& path) {
    std::ofstream out(path);
    out << "LC_NUMERIC\n"
           "decimal_point \"<U002C>\"\n"
           "thousands_sep \"<U002E>\"\n"
           "grouping 3;3\n"
           "END LC_NUMERIC\n";
}

// Runs a program with its output discarded; false when it cannot be run.
// Its exit status is not looked at: localedef -c exits 1 for the warnings
// about the categories left out and still writes the locale.
bool RunQuietly(const char* const argv[]) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    const int err =
        posix_spawnp(&pid, argv[0], &actions, nullptr, const_cast<char* const*>(argv), environ);
    posix_spawn_file_actions_destroy(&actions);
    int status = 0;
    return err == 0 && ::waitpid(pid, &status, 0) == pid;
}

}  // namespace

CommaDecimalLocale::CommaDecimalLocale() {
    const char* previous = std::setlocale(LC_NUMERIC, nullptr);
    m_previous = previous ? previous : "C";
    const char* locPath = ::getenv("LOCPATH");
    m_hadLocPath = locPath != nullptr;
    if (locPath) m_locPath = locPath;

    if (Build() && Use(kName)) {
        m_active = true;
        return;
    }
    // LOCPATH replaces the system's locale folder: put it back first.
    if (m_hadLocPath) {
        ::setenv("LOCPATH", m_locPath.c_str(), 1);
    } else {
        ::unsetenv("LOCPATH");
    }
    for (const char* name : {"de_DE.UTF-8", "fr_FR.UTF-8", "ru_RU.UTF-8", "de_DE", "fr_FR"}) {
        if (Use(name)) {
            m_active = true;
            return;
        }
    }
    m_why += "; and no installed locale with a decimal comma";
}

CommaDecimalLocale::~CommaDecimalLocale() {
    std::setlocale(LC_NUMERIC, m_previous.c_str());
    if (m_hadLocPath) {
        ::setenv("LOCPATH", m_locPath.c_str(), 1);
    } else {
        ::unsetenv("LOCPATH");
    }
}

bool CommaDecimalLocale::Build() {
    m_temp.emplace("quorvel-locale");
    if (!m_temp->Made()) {
        m_why = "no temporary folder for the test locale";
        return false;
    }
    m_folder = m_temp->Path();
    const std::string charmap = m_folder + "/charmap";
    const std::string definition = m_folder + "/definition";
    const std::string output = m_folder + "/" + kName;
    WriteCharmap(charmap);
    WriteDefinition(definition);
    const char* const argv[] = {"localedef",        "-c",           "-f",   charmap.c_str(), "-i",
                                definition.c_str(), output.c_str(), nullptr};
    if (!RunQuietly(argv)) {
        m_why = "localedef could not be run";
        return false;
    }
    std::error_code ec;
    if (!std::filesystem::exists(output + "/LC_NUMERIC", ec)) {
        m_why = "localedef made no locale";
        return false;
    }
    ::setenv("LOCPATH", m_folder.c_str(), 1);
    return true;
}

// Sets `name` as LC_NUMERIC when the C library then really prints and reads
// a decimal comma; otherwise leaves the previous locale in place.
bool CommaDecimalLocale::Use(const char* name) {
    if (std::setlocale(LC_NUMERIC, name) == nullptr) {
        if (m_why.empty()) m_why = std::string("the test locale does not load");
        return false;
    }
    char text[16];
    std::snprintf(text, sizeof text, "%.1f", 1.5);
    if (std::strcmp(std::localeconv()->decimal_point, ",") == 0 && std::strcmp(text, "1,5") == 0 &&
        std::strtod("2,5", nullptr) == 2.5) {
        return true;
    }
    std::setlocale(LC_NUMERIC, m_previous.c_str());
    if (m_why.empty()) m_why = std::string("the test locale has no decimal comma");
    return false;
}
