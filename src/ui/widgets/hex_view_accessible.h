#pragma once
// Screen readers and UI tests read a hex view through the accessibility
// tree: its value is the text of the rows on screen, its description the
// size and the selection.

// Installs the factory once; every THexView calls it.
void InstallHexViewAccessibility();
