#pragma once
// Text boxes for "AS IS": transparent, unframed boxes placed on the page that hold a
// piece of text, level or running up or down the page, and the widths their words
// take in the face the reader will set them in.
#include <string>
#include <vector>

#include "rtf/CRtfXmlText.h"
#include "rtf/RtfRect.h"

// How the text of a box runs: level, down the page (top to bottom), up the page.
enum class TextFlow { Level = 0, Down = 1, Up = 2 };

// The opening of a text shape in twips, in front of the page's drawings, its z-order its id.
std::string TextShapeHead(const RtfRect& twips, int id);
// A box at rect (twips, page relative) holding the paragraph text; rotation in degrees
// clockwise for the readers that turn text boxes.
std::string TextBox(const RtfRect& twips, int id, const std::string& text, TextFlow flow = TextFlow::Level,
                    int rotation = 0);
// A length or position in twips as a box takes it: never negative, never beyond what
// an int holds, whatever the boxes of a damaged file say.
int ClampedTwips(double twips);
// XML units in twips, unrounded; multiplied first, so whole twips stay whole.
inline double UnitsInTwips(double units) { return units * 40.0 / 3.0; }
// The document's next shape id for a text box of this item (1 for an item of no document).
int NextTextBoxId(const CRtfXmlText& item);

// Character spacing of a group of runs, in twips added after each character.
std::string CharacterSpacing(long twips);

struct RunsExtent {
    double twips = 0;    // width of the runs at their sizes
    int characters = 0;  // characters as the reader counts them
    bool known = false;  // false when the face did not resolve or the widths are guessed
};
// The runs of an item measured in the face its font entry names.
RunsExtent MeasureItemRuns(CRtfXmlText& item);
// Height in twips of a line of the item's first run as the reader sets it (ascent and
// descent of the face at the run's size); 0 when the face does not resolve.
double LineHeightTwips(const CRtfXmlText& item);
// Width in twips of a blank after the item's last run, in that run's format (0: not known).
double BlankTwips(const CRtfXmlText& item);
// A blank after the item's last run, in that run's format, set at `scale` per cent of
// its width and spaced by `spacing` twips.
std::string Blank(const CRtfXmlText& item, long spacing, int scale = 100);

// "AS IS": the loose items of the page that run up or down it, or stand on their
// heads, as text boxes at their places, one box per turned line holding its words in
// reading order. The items written are taken out of `loose`; the rest stay.
std::string WriteTurnedBoxes(std::vector<CRtfXmlText*>& loose);
