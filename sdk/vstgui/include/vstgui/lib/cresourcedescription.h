// Names an embedded resource, by name or by number.
#pragma once

#include "vstguibase.h"

#include <string>

namespace VSTGUI {

class CResourceDescription
{
public:
	enum Type { kIntegerType, kStringType, kUnknownType };

	CResourceDescription () = default;
	CResourceDescription (int32_t id) : type (kIntegerType), id (id) {}
	CResourceDescription (const char* name) : type (name ? kStringType : kUnknownType), name (name ? name : "")
	{
	}

	Type type {kUnknownType};
	int32_t id {0};
	std::string name;
};

} // namespace VSTGUI
