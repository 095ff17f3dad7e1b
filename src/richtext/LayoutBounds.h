#pragma once

struct TRtfDocument;

// Readies a document for showing, on screen and on paper, so that laying it out costs what a
// card can show whatever the document holds. The stored document is left as it is; only the
// shown copy changes, and only where it goes far beyond a card:
// - text layout breaks a word too long for its line between any two characters, at a cost
//   that grows with the square of the word's length. Every so many characters of a word,
//   across changes of format, an invisible break opportunity (a zero-width space) goes in;
//   a word that long never fits a line anyway.
// - a paragraph keeps a bounded number of runs, later ones taking the last kept run's format;
// - paragraphs and characters beyond what any box could show are left out.
void BoundForLayout(TRtfDocument& document);
