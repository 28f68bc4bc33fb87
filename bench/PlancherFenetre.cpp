#include "PlancherFenetre.h"

#include <QAction>
#include <QBoxLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QTabWidget>
#include <QTreeWidget>
#include <optional>

namespace {

enum class Sorte {
  Widget,
  Label,
  LineEdit,
  CheckBox,
  ComboBox,
  GroupBox,
  ListWidget,
  TreeWidget,
  TabWidget
};

// The Qt classes a copy is made of, most derived first within each line of descent.
const std::vector<std::pair<const char*, Sorte>>& Sortes() {
  static const std::vector<std::pair<const char*, Sorte>> sortes = {
      {"QLabel", Sorte::Label},           {"QLineEdit", Sorte::LineEdit},
      {"QCheckBox", Sorte::CheckBox},     {"QComboBox", Sorte::ComboBox},
      {"QGroupBox", Sorte::GroupBox},     {"QListWidget", Sorte::ListWidget},
      {"QTreeWidget", Sorte::TreeWidget}, {"QTabWidget", Sorte::TabWidget},
      {"QWidget", Sorte::Widget}};
  return sortes;
}

// The first Qt class of the widget's line of descent, and its kind (nullopt: a class we do not
// copy, such as the inner parts of a Qt widget).
std::optional<std::pair<QString, Sorte>> ClasseQt(const QObject& o) {
  for (const QMetaObject* m = o.metaObject(); m; m = m->superClass())
    for (const auto& [nom, sorte] : Sortes())
      if (qstrcmp(m->className(), nom) == 0) return std::pair{QString(nom), sorte};
  return std::nullopt;
}

QString ClasseDe(const QObject& o) {
  for (const QMetaObject* m = o.metaObject(); m; m = m->superClass())
    if (m->className()[0] == 'Q') return m->className();
  return o.metaObject()->className();
}

}  // namespace

struct Element {
  int noeud = -1;                                        // a widget, or
  int disposition = -1;                                  // a nested layout, or neither: a stretch
  int etirement = 0;                                     // box layouts
  int ligne = 0, colonne = 0, hauteur = 1, largeur = 1;  // grid layouts
  Qt::Alignment alignement;
};

struct Disposition {
  enum { Grille, Verticale, Horizontale } sorte = Verticale;
  QMargins marges;
  int espacementH = -1, espacementV = -1;
  std::vector<Element> elements;
  std::vector<int> etirementsColonnes, etirementsLignes;
};

struct Noeud {
  Sorte sorte = Sorte::Widget;
  int parent = -1;    // -1: the central widget
  bool page = false;  // a page of its parent tab widget
  QString nom, texte, bulle;
  QRect geometrie;
  QSize minimum, maximum;
  std::optional<QFont> police;
  std::optional<QPalette> palette;
  bool cache = false, fond = false, transparent = false, sourisTraversante = false;
  Qt::LayoutDirection sens = Qt::LeftToRight;
  QPixmap image;
  bool etiree = false, retourLigne = false, lectureSeule = false, tri = false, uniforme = false;
  Qt::Alignment alignement;
  QStringList articles;
  int cadre = -1;  // frame shape of lists and trees
  int disposition = -1;
  int compagnon = -1;  // the buddy of a label
};

struct Menu {
  QString titre, nom;
  std::vector<std::tuple<QString, QString, QKeySequence>> actions;  // text, name, shortcut
};

struct ArbreFenetre {
  QString titre, nom;
  Qt::WindowFlags drapeaux;
  std::vector<Menu> menus;
  std::vector<Noeud> noeuds;
  std::vector<Disposition> dispositions;
};

namespace {

class Descripteur {
 public:
  explicit Descripteur(ArbreFenetre& a) : a_(a) {}

  void widget(const QWidget& w, int parent, bool page) {
    const auto classe = ClasseQt(w);
    if (!classe) return;
    const int index = static_cast<int>(a_.noeuds.size());
    index_[&w] = index;
    Noeud n;
    n.sorte = classe->second;
    n.parent = parent;
    n.page = page;
    n.nom = w.objectName();
    n.bulle = w.toolTip();
    n.geometrie = w.geometry();
    n.minimum = w.minimumSize();
    n.maximum = w.maximumSize();
    if (w.testAttribute(Qt::WA_SetFont)) n.police = w.font();
    if (w.testAttribute(Qt::WA_SetPalette)) n.palette = w.palette();
    // Every widget is hidden until its window is shown; only an explicit hide counts.
    n.cache = !page && w.testAttribute(Qt::WA_WState_ExplicitShowHide) &&
              w.testAttribute(Qt::WA_WState_Hidden);
    n.fond = w.autoFillBackground();
    n.transparent = w.testAttribute(Qt::WA_TranslucentBackground);
    n.sourisTraversante = w.testAttribute(Qt::WA_TransparentForMouseEvents);
    n.sens = w.layoutDirection();
    proprietes(w, n);
    const Sorte sorte = n.sorte;
    a_.noeuds.push_back(std::move(n));

    if (const auto* onglets = qobject_cast<const QTabWidget*>(&w)) {
      for (int i = 0; i < onglets->count(); ++i) {
        pages_[onglets->widget(i)] = onglets->tabText(i);
        widget(*onglets->widget(i), index, true);
      }
      return;
    }
    // Inside Qt's own compound widgets every child is part of the widget itself.
    if (sorte != Sorte::Widget && sorte != Sorte::GroupBox && sorte != Sorte::Label) return;
    for (const QObject* o : w.children())
      if (const auto* enfant = qobject_cast<const QWidget*>(o); enfant && !enfant->isWindow())
        widget(*enfant, index, false);
    if (w.layout()) a_.noeuds[index].disposition = disposition(*w.layout());
  }

  const std::map<const QWidget*, QString>& pages() const { return pages_; }

  // Labels point at their buddies once every widget has its index.
  void compagnons() {
    for (const auto& [w, index] : index_)
      if (const auto* l = qobject_cast<const QLabel*>(w); l && l->buddy())
        if (const auto it = index_.find(l->buddy()); it != index_.end())
          a_.noeuds[static_cast<std::size_t>(index)].compagnon = it->second;
  }

 private:
  void proprietes(const QWidget& w, Noeud& n) {
    if (const auto* l = qobject_cast<const QLabel*>(&w)) {
      n.texte = l->text();
      n.image = l->pixmap();
      n.etiree = l->hasScaledContents();
      n.retourLigne = l->wordWrap();
      n.alignement = l->alignment();
    } else if (const auto* e = qobject_cast<const QLineEdit*>(&w)) {
      n.texte = e->text();
      n.lectureSeule = e->isReadOnly();
    } else if (const auto* c = qobject_cast<const QCheckBox*>(&w)) {
      n.texte = c->text();
    } else if (const auto* g = qobject_cast<const QGroupBox*>(&w)) {
      n.texte = g->title();
    } else if (const auto* c = qobject_cast<const QComboBox*>(&w)) {
      for (int i = 0; i < c->count(); ++i) n.articles << c->itemText(i);
    } else if (const auto* l = qobject_cast<const QListWidget*>(&w)) {
      for (int i = 0; i < l->count(); ++i) n.articles << l->item(i)->text();
      n.tri = l->isSortingEnabled();
      n.uniforme = l->uniformItemSizes();
      n.cadre = l->frameShape();
    } else if (const auto* t = qobject_cast<const QTreeWidget*>(&w)) {
      for (int i = 0; i < t->topLevelItemCount(); ++i) n.articles << t->topLevelItem(i)->text(0);
      n.cadre = t->frameShape();
    }
  }

  int disposition(const QLayout& layout) {
    const int index = static_cast<int>(a_.dispositions.size());
    a_.dispositions.emplace_back();
    Disposition d;
    d.marges = layout.contentsMargins();
    const auto* grille = qobject_cast<const QGridLayout*>(&layout);
    const auto* boite = qobject_cast<const QBoxLayout*>(&layout);
    if (grille) {
      d.sorte = Disposition::Grille;
      d.espacementH = grille->horizontalSpacing();
      d.espacementV = grille->verticalSpacing();
      for (int c = 0; c < grille->columnCount(); ++c)
        d.etirementsColonnes.push_back(grille->columnStretch(c));
      for (int l = 0; l < grille->rowCount(); ++l)
        d.etirementsLignes.push_back(grille->rowStretch(l));
    } else if (boite) {
      const bool verticale = boite->direction() == QBoxLayout::TopToBottom;
      d.sorte = verticale ? Disposition::Verticale : Disposition::Horizontale;
      d.espacementH = boite->spacing();
    }
    for (int i = 0; i < layout.count(); ++i) {
      QLayoutItem* item = layout.itemAt(i);
      Element e;
      e.alignement = item->alignment();
      if (grille) grille->getItemPosition(i, &e.ligne, &e.colonne, &e.hauteur, &e.largeur);
      if (boite) e.etirement = boite->stretch(i);
      if (QWidget* w = item->widget()) {
        const auto it = index_.find(w);
        if (it == index_.end()) continue;
        e.noeud = it->second;
      } else if (QLayout* l = item->layout()) {
        e.disposition = disposition(*l);
      }
      d.elements.push_back(e);
    }
    a_.dispositions[index] = std::move(d);
    return index;
  }

  ArbreFenetre& a_;
  std::map<const QWidget*, int> index_;
  std::map<const QWidget*, QString> pages_;
};

QWidget* Creer(const Noeud& n, QWidget* parent) {
  switch (n.sorte) {
    case Sorte::Label: {
      auto* l = new QLabel(n.texte, parent);
      if (!n.image.isNull()) l->setPixmap(n.image);
      l->setScaledContents(n.etiree);
      l->setWordWrap(n.retourLigne);
      l->setAlignment(n.alignement);
      return l;
    }
    case Sorte::LineEdit: {
      auto* e = new QLineEdit(n.texte, parent);
      e->setReadOnly(n.lectureSeule);
      return e;
    }
    case Sorte::CheckBox:
      return new QCheckBox(n.texte, parent);
    case Sorte::ComboBox: {
      auto* c = new QComboBox(parent);
      c->addItems(n.articles);
      return c;
    }
    case Sorte::GroupBox:
      return new QGroupBox(n.texte, parent);
    case Sorte::ListWidget: {
      auto* l = new QListWidget(parent);
      l->setFrameShape(static_cast<QFrame::Shape>(n.cadre));
      l->addItems(n.articles);
      l->setSortingEnabled(n.tri);
      l->setUniformItemSizes(n.uniforme);
      return l;
    }
    case Sorte::TreeWidget: {
      auto* t = new QTreeWidget(parent);
      t->setHeaderHidden(true);
      t->setRootIsDecorated(false);
      t->setFrameShape(static_cast<QFrame::Shape>(n.cadre));
      for (const QString& texte : n.articles) t->addTopLevelItem(new QTreeWidgetItem({texte}));
      return t;
    }
    case Sorte::TabWidget: {
      auto* t = new QTabWidget(parent);
      t->setUsesScrollButtons(true);
      return t;
    }
    case Sorte::Widget:
      break;
  }
  return new QWidget(parent);
}

QLayout* Disposer(const ArbreFenetre& a, int index, const std::vector<QWidget*>& widgets,
                  QWidget* proprietaire) {
  const Disposition& d = a.dispositions[index];
  QGridLayout* grille = nullptr;
  QBoxLayout* boite = nullptr;
  if (d.sorte == Disposition::Grille) {
    grille = new QGridLayout(proprietaire);
    grille->setHorizontalSpacing(d.espacementH);
    grille->setVerticalSpacing(d.espacementV);
  } else {
    if (d.sorte == Disposition::Verticale)
      boite = new QVBoxLayout(proprietaire);
    else
      boite = new QHBoxLayout(proprietaire);
    boite->setSpacing(d.espacementH);
  }
  QLayout* layout = grille ? static_cast<QLayout*>(grille) : boite;
  layout->setContentsMargins(d.marges);
  for (const Element& e : d.elements) {
    if (e.noeud >= 0) {
      QWidget* w = widgets[static_cast<std::size_t>(e.noeud)];
      if (grille)
        grille->addWidget(w, e.ligne, e.colonne, e.hauteur, e.largeur, e.alignement);
      else
        boite->addWidget(w, e.etirement, e.alignement);
    } else if (e.disposition >= 0) {
      QLayout* interne = Disposer(a, e.disposition, widgets, nullptr);
      if (grille)
        grille->addLayout(interne, e.ligne, e.colonne, e.hauteur, e.largeur, e.alignement);
      else
        boite->addLayout(interne, e.etirement);
    } else if (boite) {
      boite->addStretch(e.etirement);
    }
  }
  if (grille) {
    for (std::size_t c = 0; c < d.etirementsColonnes.size(); ++c)
      if (d.etirementsColonnes[c])
        grille->setColumnStretch(static_cast<int>(c), d.etirementsColonnes[c]);
    for (std::size_t l = 0; l < d.etirementsLignes.size(); ++l)
      if (d.etirementsLignes[l]) grille->setRowStretch(static_cast<int>(l), d.etirementsLignes[l]);
  }
  return layout;
}

}  // namespace

std::shared_ptr<const ArbreFenetre> Decrire(const QMainWindow& modele) {
  auto arbre = std::make_shared<ArbreFenetre>();
  arbre->titre = modele.windowTitle();
  arbre->nom = modele.objectName();
  arbre->drapeaux = modele.windowFlags();
  if (const QMenuBar* barre = modele.menuBar()) {
    for (const QAction* a : barre->actions()) {
      const QMenu* m = a->menu();
      if (!m) continue;
      Menu menu{m->title(), m->objectName(), {}};
      for (const QAction* action : m->actions())
        menu.actions.emplace_back(action->text(), action->objectName(), action->shortcut());
      arbre->menus.push_back(std::move(menu));
    }
  }
  Descripteur d(*arbre);
  if (const QWidget* centre = modele.centralWidget()) d.widget(*centre, -1, false);
  d.compagnons();
  // Tab pages carry their tab's caption.
  for (Noeud& n : arbre->noeuds)
    if (n.page)
      for (const auto& [page, titre] : d.pages())
        if (page->objectName() == n.nom) n.texte = titre;
  return arbre;
}

std::unique_ptr<QMainWindow> Construire(const ArbreFenetre& a) {
  auto fenetre = std::make_unique<QMainWindow>();
  fenetre->setObjectName(a.nom);
  fenetre->setWindowTitle(a.titre);
  fenetre->setWindowFlags(a.drapeaux);
  for (const Menu& m : a.menus) {
    QMenu* menu = fenetre->menuBar()->addMenu(m.titre);
    menu->setObjectName(m.nom);
    for (const auto& [texte, nom, raccourci] : m.actions) {
      QAction* action = menu->addAction(texte);
      action->setObjectName(nom);
      action->setShortcut(raccourci);
    }
  }
  std::vector<QWidget*> widgets;
  widgets.reserve(a.noeuds.size());
  for (const Noeud& n : a.noeuds) {
    QWidget* parent = n.parent >= 0 ? widgets[static_cast<std::size_t>(n.parent)] : nullptr;
    QWidget* w = Creer(n, n.page ? nullptr : parent);
    if (n.page) static_cast<QTabWidget*>(parent)->addTab(w, n.texte);
    if (n.parent < 0) fenetre->setCentralWidget(w);
    w->setObjectName(n.nom);
    if (!n.bulle.isEmpty()) w->setToolTip(n.bulle);
    w->setGeometry(n.geometrie);
    w->setMinimumSize(n.minimum);
    w->setMaximumSize(n.maximum);
    if (n.police) w->setFont(*n.police);
    if (n.palette) w->setPalette(*n.palette);
    if (n.fond) w->setAutoFillBackground(true);
    if (n.transparent) w->setAttribute(Qt::WA_TranslucentBackground);
    if (n.sourisTraversante) w->setAttribute(Qt::WA_TransparentForMouseEvents);
    if (n.sens != Qt::LeftToRight) w->setLayoutDirection(n.sens);
    if (n.cache) w->setVisible(false);
    widgets.push_back(w);
  }
  for (std::size_t i = 0; i < a.noeuds.size(); ++i) {
    const Noeud& n = a.noeuds[i];
    if (n.compagnon >= 0)
      static_cast<QLabel*>(widgets[i])->setBuddy(widgets[static_cast<std::size_t>(n.compagnon)]);
    if (n.disposition >= 0) Disposer(a, n.disposition, widgets, widgets[i]);
  }
  return fenetre;
}

std::map<QString, int> Recensement(const QMainWindow& fenetre) {
  std::map<QString, int> compte;
  for (const QObject* o : fenetre.findChildren<QObject*>()) {
    if (o->isWidgetType() || qobject_cast<const QLayout*>(o)) ++compte[ClasseDe(*o)];
    if (qobject_cast<const QAction*>(o) && !o->objectName().isEmpty()) ++compte["QAction"];
  }
  return compte;
}

PlancherClic::PlancherClic(QMainWindow& fenetre, const Affichage& forme) {
  nom_ = fenetre.findChild<QLineEdit*>("EditID");
  groupe_ = fenetre.findChild<QComboBox*>("ComboAnimationGroupCaisse");
  for (const auto& [nom, texte] : forme.textes)
    edits_.push_back(fenetre.findChild<QLineEdit*>(nom));
  for (const auto& [nom, coche] : forme.coches)
    cases_.push_back(fenetre.findChild<QCheckBox*>(nom));
}

void PlancherClic::afficher(const Affichage& a) {
  nom_->setText(a.nom);
  for (std::size_t i = 0; i < edits_.size(); ++i) edits_[i]->setText(a.textes[i].second);
  for (std::size_t i = 0; i < cases_.size(); ++i) cases_[i]->setChecked(a.coches[i].second);
  groupe_->setCurrentIndex(a.groupe);
}

void RemplirListe(QListWidget& liste, const QStringList& noms) {
  // The names come in the list's order already: the least Qt can do is to add them unsorted.
  liste.setSortingEnabled(false);
  liste.clear();
  liste.addItems(noms);
  liste.setCurrentRow(0);
}
