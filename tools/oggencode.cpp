// Encodes sound files into Ogg Vorbis with libsndfile, which the game also
// decodes with, so every file made here is known to be readable by it.
//
//   oggencode [--quality Q] input.wav output.ogg [input output ...]
//
// Each output is written beside itself under a temporary name and renamed
// into place once complete, so an interrupted build never leaves half a file.

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include <sndfile.h>

namespace
{

struct sFileCloser
{
    SNDFILE* file;
    ~sFileCloser()
    {
        if (file)
            sf_close(file);
    }
};

bool Encode(std::string const& input, std::string const& output, double quality)
{
    SF_INFO inInfo{};
    sFileCloser in{sf_open(input.c_str(), SFM_READ, &inInfo)};
    if (!in.file)
    {
        std::fprintf(stderr, "oggencode: cannot read %s: %s\n", input.c_str(), sf_strerror(nullptr));
        return false;
    }
    SF_INFO outInfo{};
    outInfo.samplerate = inInfo.samplerate;
    outInfo.channels = inInfo.channels;
    outInfo.format = SF_FORMAT_OGG | SF_FORMAT_VORBIS;
    std::string const temporary = output + ".tmp";
    {
        sFileCloser out{sf_open(temporary.c_str(), SFM_WRITE, &outInfo)};
        if (!out.file)
        {
            std::fprintf(stderr, "oggencode: cannot write %s: %s\n", temporary.c_str(), sf_strerror(nullptr));
            return false;
        }
        sf_command(out.file, SFC_SET_VBR_ENCODING_QUALITY, &quality, sizeof(quality));
        std::vector<float> buffer(4096 * static_cast<size_t>(inInfo.channels));
        sf_count_t const frames = 4096;
        for (;;)
        {
            sf_count_t const got = sf_readf_float(in.file, buffer.data(), frames);
            if (got <= 0)
                break;
            if (sf_writef_float(out.file, buffer.data(), got) != got)
            {
                std::fprintf(stderr, "oggencode: writing %s failed: %s\n", temporary.c_str(),
                             sf_strerror(out.file));
                std::remove(temporary.c_str());
                return false;
            }
        }
    }
    if (std::rename(temporary.c_str(), output.c_str()) != 0)
    {
        std::perror(("oggencode: " + output).c_str());
        std::remove(temporary.c_str());
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    double quality = 0.3;
    std::vector<std::string> files;
    for (int i = 1; i < argc; ++i)
    {
        std::string const argument = argv[i];
        if (argument == "--quality" && i + 1 < argc)
            quality = std::atof(argv[++i]);
        else
            files.push_back(argument);
    }
    if (files.empty() || files.size() % 2 != 0)
    {
        std::fprintf(stderr, "usage: oggencode [--quality Q] input output [input output ...]\n");
        return 2;
    }
    int failures = 0;
    for (size_t i = 0; i < files.size(); i += 2)
    {
        if (!Encode(files[i], files[i + 1], quality))
            ++failures;
    }
    return failures == 0 ? 0 : 1;
}
