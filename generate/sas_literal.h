#pragma once
// SAS string literals in the files the setup writes.

#include <string>
#include <string_view>

namespace kelvarion {

// `text` as a single-quoted SAS literal: 'text'. An apostrophe inside is
// written twice, which SAS reads as one; without that, a folder such as
// C:\Users\O'Neil would end the literal early and break the statement.
std::string sas_literal(std::string_view text);

}  // namespace kelvarion
