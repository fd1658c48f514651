// Writes the editor's images into a folder (--write DIR), or checks the PNGs in a folder against them (--check DIR).
#include "images.h"

#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

bool readFile (const std::string& path, std::vector<char>& bytes)
{
	std::ifstream in (path, std::ios::binary);
	if (!in)
		return false;
	bytes.assign (std::istreambuf_iterator<char> (in), std::istreambuf_iterator<char> ());
	return true;
}

} // namespace

int main (int argc, char** argv)
{
	if (argc != 3 || (std::strcmp (argv[1], "--write") != 0 && std::strcmp (argv[1], "--check") != 0))
	{
		std::fprintf (stderr, "usage: %s --write|--check <folder>\n", argv[0]);
		return 2;
	}
	const bool write = std::strcmp (argv[1], "--write") == 0;
	const std::string folder = argv[2];
	int failures = 0;
	for (const GeneratedImage& image : generateImages ())
	{
		const std::string path = folder + "/" + image.name;
		if (write)
		{
			if (!image.pixels.writePNG (path.c_str ()))
			{
				std::fprintf (stderr, "cannot write %s\n", path.c_str ());
				++failures;
			}
			continue;
		}
		std::vector<char> bytes;
		if (!readFile (path, bytes))
		{
			std::fprintf (stderr, "%s: missing\n", path.c_str ());
			++failures;
			continue;
		}
		const VSTGUI::CPixelBuffer stored = VSTGUI::CPixelBuffer::decode (bytes.data (), bytes.size ());
		if (!(stored == image.pixels))
		{
			std::fprintf (stderr, "%s: differs from the generator's image (%dx%d stored, %dx%d generated)\n",
			              path.c_str (), stored.getWidth (), stored.getHeight (), image.pixels.getWidth (),
			              image.pixels.getHeight ());
			++failures;
		}
	}
	if (failures == 0 && !write)
		std::printf ("all images match the generator\n");
	return failures == 0 ? 0 : 1;
}
