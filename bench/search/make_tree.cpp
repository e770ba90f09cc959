// Builds a deterministic folder tree for the benchmarks: the same seed gives the same names, shapes and
// sizes. Sizes are spread evenly on a log scale from 1 byte to 100 MB (plus some empty files), so that
// about 4% of the files lie between 101 and 200 bytes; every file is sparse, so the tree costs inodes,
// not disk.
//
//   zorvik_make_tree ROOT [--files N] [--folders N] [--depth N] [--seed N]
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

struct Options {
    std::string root;
    long files = 1000000;
    long folders = 50000;
    int depth = 8;
    unsigned long seed = 20261208;
};

Options parse(int argc, char** argv) {
    Options o;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        auto number = [&] { return i + 1 < argc ? std::strtol(argv[++i], nullptr, 10) : 0L; };
        if (arg == "--files")
            o.files = number();
        else if (arg == "--folders")
            o.folders = number();
        else if (arg == "--depth")
            o.depth = int(number());
        else if (arg == "--seed")
            o.seed = static_cast<unsigned long>(number());
        else
            o.root = arg;
    }
    if (o.root.empty() || o.folders < 1 || o.depth < 1) {
        std::fprintf(stderr,
                     "usage: zorvik_make_tree ROOT [--files N] [--folders N] [--depth N] [--seed N]\n");
        std::exit(2);
    }
    return o;
}

// Names of 4 to 28 characters from a mix of letters, digits, blanks and punctuation, as people name
// things, with a usual extension for files.
std::string name(std::mt19937_64& random, bool file) {
    static const char kLetters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789_- .";
    static const char* extensions[] = {".txt",  ".jpg", ".png",  ".pdf", ".mp3",  ".cpp", ".h",
                                       ".json", ".log", ".docx", ".zip", ".html", ".js",  ""};
    std::uniform_int_distribution<int> length(4, 28);
    std::uniform_int_distribution<int> letter(0, int(sizeof kLetters) - 2);
    std::string result;
    const int n = length(random);
    for (int i = 0; i < n; ++i)
        result += kLetters[letter(random)];
    if (result.back() == ' ' || result.back() == '.')
        result.back() = 'x';
    if (file)
        result += extensions[std::uniform_int_distribution<int>(0, 13)(random)];
    return result;
}

} // namespace

int main(int argc, char** argv) {
    const Options o = parse(argc, argv);
    std::mt19937_64 random(o.seed);
    if (::mkdir(o.root.c_str(), 0755) != 0) {
        std::perror(o.root.c_str());
        return 1;
    }
    // Folders: each new one goes under a random existing folder that is not yet at the deepest level.
    struct Folder {
        std::string path;
        int depth;
    };
    std::vector<Folder> folders{{o.root, 0}};
    std::vector<std::size_t> open{0}; // folders that may still get sub-folders
    for (long i = 1; i < o.folders; ++i) {
        const std::size_t parent =
            open[std::uniform_int_distribution<std::size_t>(0, open.size() - 1)(random)];
        Folder child{folders[parent].path + '/' + name(random, false) + std::to_string(i),
                     folders[parent].depth + 1};
        if (::mkdir(child.path.c_str(), 0755) != 0) {
            std::perror(child.path.c_str());
            return 1;
        }
        if (child.depth < o.depth)
            open.push_back(folders.size());
        folders.push_back(std::move(child));
    }
    std::uniform_int_distribution<std::size_t> anyFolder(0, folders.size() - 1);
    std::uniform_real_distribution<double> logSize(0.0, std::log(1e8));
    std::uniform_int_distribution<int> percent(0, 99);
    long matching = 0;
    for (long i = 0; i < o.files; ++i) {
        const std::string path =
            folders[anyFolder(random)].path + '/' + name(random, true) + std::to_string(i);
        const long long size = percent(random) == 0 ? 0 : static_cast<long long>(std::exp(logSize(random)));
        matching += size >= 101 && size <= 200;
        const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0644);
        if (fd < 0 || ::ftruncate(fd, size) != 0) {
            std::perror(path.c_str());
            return 1;
        }
        ::close(fd);
    }
    std::printf("%ld files in %zu folders (depth %d, seed %lu) under %s; %ld between 101 and 200 bytes\n",
                o.files, folders.size(), o.depth, o.seed, o.root.c_str(), matching);
    return 0;
}
