// The editor's seventeen images: names, sizes and the code that paints each.
#pragma once

#include "vstgui/lib/cpixelbuffer.h"

#include <string>
#include <vector>

struct GeneratedImage
{
	std::string name; // as the editor asks for it; stored upper case
	VSTGUI::CPixelBuffer pixels;
};

std::vector<GeneratedImage> generateImages ();
