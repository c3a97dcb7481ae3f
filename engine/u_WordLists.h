// The word lists the program starts with when "pos.txt" and "neg.txt" are missing.
#pragma once

#include <string>
#include <vector>

// 229 capitalised German words (two of them twice), one per line of the negative list.
const std::vector<std::wstring>& FactoryNegativeWords();
// The positive list's single sample line.
const std::vector<std::wstring>& FactoryPositiveWords();
