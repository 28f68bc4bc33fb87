#pragma once
#include <array>
#include <cstdint>
#include <vector>

// What each page of the main window shows: group boxes, labels, control names and the record
// member each control is bound to. Pure data; TForm1 builds the widgets and the bindings from it.

struct LigneChamp {
  const char* label;     // text at the left of the edit, exactly as shown
  const char* controle;  // object name of the TMorvaneEdit
  int champ;             // index of the record's text member (textes())
};

struct GroupeChamps {
  const char* titre;  // group box caption
  int colonne;        // 0 left, 1 right
  std::vector<LigneChamp> lignes;
};

enum class Enregistrement { Caisse, Moto, Avion, Bateau, AnimGroup };

struct PageChamps {
  const char* nomPage;  // object name of the tab page
  const char* titre;    // tab caption
  Enregistrement enregistrement;
  std::vector<GroupeChamps> groupes;
};

// The five vehicle pages made of edits, in the page control's design order.
const std::vector<PageChamps>& PagesVehicule();

// Flag check boxes: word 0 = mFlags ("ModelFlag"), 1 = hFlags ("HandlingFlag"); digit 1..8
// from the right; bit value 1, 2, 4 or 8. nullptr where the word has no box.
const char* NomFlag(int mot, int chiffre, int bit);

// A group of flag boxes placed in the page's grid; titre nullptr means no group box.
struct GroupeFlags {
  const char* titre;
  int ligne, colonne, largeur;             // grid cell and column span
  int colonnesInternes;                    // boxes fill these columns top to bottom
  std::vector<std::array<int, 2>> boites;  // (digit, bit value), in display order
};

struct PageFlags {
  const char* nomPage;
  const char* titre;
  int mot;  // 0 mFlags, 1 hFlags
  std::vector<GroupeFlags> groupes;
};
const std::vector<PageFlags>& PagesFlags();

// Anim group page: the two edit groups and the SpecialFlag boxes.
struct CaseSpeciale {
  const char* legende;
  const char* controle;
  std::int32_t bit;
};
const std::vector<GroupeChamps>& GroupesAnimGroup();
const std::vector<CaseSpeciale>& CasesSpecialFlag();

// The 30 anim group labels by number.
const std::array<const char*, 30>& LibellesAnimGroup();
