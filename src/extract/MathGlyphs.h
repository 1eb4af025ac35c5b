#pragma once
// Characters of TeX's math and symbol fonts, whose glyph names the PDF core does
// not know and whose codes it would otherwise pass on as plain letters.
#include <string>

// The character of a glyph name of those fonts; 0 when the name is not one of theirs.
unsigned MathGlyphCharacter(const char* glyphName);
// Letters of a blackboard-bold face (its glyphs are named after the plain
// letters) as the double-struck characters; other characters unchanged.
unsigned DoubleStruck(unsigned letter);
// True for the faces whose letters are blackboard bold.
bool IsBlackboardFace(const std::string& fontName);
// The relation a negation slash turns u into; 0 when there is no such character.
unsigned NegatedRelation(unsigned u);
// The characters a negation slash of a math font is read as.
bool IsNegationSlash(unsigned u);
