#include "mainwindow/filmorel.h"

#include "exchange/echange.h"
#include "exchange/fenetreimport.h"
#include "platform/dialogues.h"
#include "storage/fichiers.h"

#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>

namespace {
const QString kMessage = QStringLiteral("Message");
const QString kAnnulation = QStringLiteral("Importation annulée par l'utilisateur !!!    ");

QString affiche(const QString &chemin) { return QDir::toNativeSeparators(chemin); }

echange::Listes listesDe(const Reglages &r) { return {r.genres, r.editeurs, r.sons, r.acheteurs, r.noms}; }
} // namespace

// ---------------------------------------------------------------- spreadsheet

void Filmorel::SM_Exporter_Liste_Click() {
  m_v.reponse = m_dialogues->message(QStringLiteral("Début de l'extraction des données.\r\rATTENTION ! L'ancien "
                                                    "fichier existant sera écrasé.\r\rContinuer la procédure ?"),
                                     52, kMessage);
  if (m_v.reponse == Dialogues::Non)
    return;
  const QString fichier = cheminFichier(QStringLiteral("export.xls"));
  setProgression(0, m_v.nbFiches);
  // The walk uses buffers of its own: the card on display stays the one
  // that a later validation saves.
  const echange::BilanTableur bilan = echange::ecrireTableur(m_v.cheminAppli, m_v.nbFiches, m_v.tabIndex, fichier,
                                                             [this](int p) { Progress->setValue(p); });
  finProgression();
  if (!bilan.ecrit) {
    m_v.reponse = m_dialogues->message(QStringLiteral("Impossible d'écrire le fichier :\r\r%1\r\rVérifiez que le "
                                                      "dossier des données est accessible en écriture.")
                                           .arg(affiche(fichier)),
                                       48, kMessage);
    return;
  }
  if (bilan.illisibles > 0)
    m_dialogues->message(QStringLiteral("%1 fiche(s) du catalogue n'ont pas pu être lue(s) : elles ne figurent "
                                        "pas dans le fichier.")
                             .arg(bilan.illisibles),
                         48, kMessage);
  m_v.reponse = m_dialogues->message(QStringLiteral("Exportation terminée avec succès dans le fichier :\r\r%1\r\r"
                                                    "%2 fiches exportées et utilisables dans un tableur.")
                                         .arg(affiche(fichier))
                                         .arg(bilan.lignes),
                                     64, kMessage);
}

// ---------------------------------------------------------------- selection dialog

namespace {
// Opens the selection dialog with these titles; its closing runs `exporter`
// or `importer` unless it was cancelled.
void ouvrirSelection(Filmorel &f, const QStringList &titres) {
  auto *fen = new FenetreImport(f.v());
  const bool exporter = f.v().modeExport == 1;
  fen->setWindowTitle(exporter ? QStringLiteral("Exporter des Films") : QStringLiteral("Importer des Films"));
  fen->button->setText(exporter ? QStringLiteral("&Exporter") : QStringLiteral("&Importer"));
  fen->jacket->setText(exporter ? QStringLiteral("Inclure dans l'exportation les jackets")
                                : QStringLiteral("Inclure dans l'importation les jackets"));
  fen->remplir(titres);
  f.fenImport = fen;
  QObject::connect(fen, &FenetreImport::fermee, &f, [&f](bool annulee) {
    f.fermetureFenetreSecondaire();
    if (!annulee) {
      if (f.v().modeExport == 1)
        f.exporter();
      if (f.v().modeImport == 1)
        f.importer();
    }
    f.fenImport = nullptr;
  });
  // A dialog has no parent (a disabled parent would disable it): it goes
  // with the main window.
  QObject::connect(&f, &QObject::destroyed, fen, &QObject::deleteLater);
  f.ouvrirFenetreSecondaire(fen);
  fen->List->setFocus();
}
} // namespace

// ---------------------------------------------------------------- selection export

void Filmorel::SM_Exporter_Click() {
  m_v.modeExport = 1;
  m_v.modeImport = 0;
  ouvrirSelection(*this, echange::titresCatalogue(m_v.cheminAppli, m_v.nbFiches, m_v.tabIndex));
}

void Filmorel::exporter() {
  if (!fenImport)
    return;
  QList<int> positions;
  for (int i : fenImport->coches())
    positions << i + 1;
  const bool jackets = fenImport->avecJackets();

  setProgression(0, m_v.nbFiches);
  const echange::BilanExport bilan = echange::exporterSelection(
      m_v.cheminAppli, m_v.nbFiches, m_v.tabIndex, positions, listesDe(reglagesCourants()), m_v.cheminExport,
      jackets, [this](int p) { Progress->setValue(p); });
  finProgression();

  if (positions.isEmpty()) {
    m_v.reponse = m_dialogues->message(
        QStringLiteral("Aucune exportation à faire !!!\r\rIl n'y a pas eu de fiche sélectionnée."), 64, kMessage);
    return;
  }
  if (bilan.illisibles > 0)
    m_v.reponse = m_dialogues->message(QStringLiteral("%1 fiche(s) sélectionnée(s) n'ont pas pu être lue(s) dans "
                                                      "le catalogue : elles n'ont pas été exportée(s).")
                                           .arg(bilan.illisibles),
                                       48, kMessage);
  if (bilan.exportees == 0) {
    if (!bilan.ecrit && bilan.illisibles < positions.size())
      m_v.reponse = m_dialogues->message(QStringLiteral("Impossible d'écrire les fichiers d'exportation dans le "
                                                        "dossier :\r\r%1\r\rAucune fiche n'a été exportée.")
                                             .arg(affiche(m_v.cheminExport)),
                                         48, kMessage);
    return;
  }
  m_v.reponse = m_dialogues->message(
      QStringLiteral("Exportation de %1 fiche(s) terminée(s) avec succès !!!    \r\rElles se situent dans le "
                     "dossier :\r\r%2\r\rLe fichier des Films se nomme EXPORT.LST\r\rLe second fichier "
                     "EXPORT.DAT comprend :\r     - Les genres\r     - les éditeurs\r     - les noms des "
                     "acheteurs des Films\r     - les formats sonores\r     - les noms pour les films prétés")
          .arg(bilan.exportees)
          .arg(affiche(m_v.cheminExport)),
      64, kMessage);
}

// ---------------------------------------------------------------- selection import

namespace {
// Finds `nom` in the exchange folder, or lets the user point to another
// folder, which then stays the exchange folder. False when the user gives up.
bool localiser(Filmorel &f, const QString &nom, const QString &filtre) {
  Variables &v = f.v();
  while (!QFileInfo(cheminDans(v.cheminExport, nom)).isFile()) {
    v.reponse = f.dialogues().message(QStringLiteral("Le fichier d'importation %1\r\rne se trouve pas sur le "
                                                     "disque dur dans le dossier :\r\r%2\r\rVoulez-vous le "
                                                     "rechercher dans un autre dossier ?")
                                          .arg(nom.toUpper(), affiche(v.cheminExport)),
                                      36, kMessage);
    QString choisi;
    if (v.reponse == Dialogues::Oui)
      choisi = f.dialogues().ouvrirFichier(QStringLiteral("Ouvrir un fichier..."), filtre, nom, v.cheminExport);
    // No, or the file dialog closed without a choice.
    if (choisi.isEmpty()) {
      v.reponse = f.dialogues().message(kAnnulation, 64, kMessage);
      return false;
    }
    v.cheminExport = QFileInfo(choisi).absolutePath() + u'/';
  }
  return true;
}
} // namespace

void Filmorel::SM_Importer_Click() {
  if (refuserEnLectureSeule())
    return;
  m_v.modeExport = 0;
  m_v.modeImport = 1;
  if (!localiser(*this, QStringLiteral("export.dat"), QStringLiteral("fichier dat (*.dat) |*.dat")))
    return;
  QByteArray dat;
  echange::lireTout(cheminDans(m_v.cheminExport, QStringLiteral("export.dat")), dat);
  const echange::ExportDat lu = echange::lireExportDat(dat);
  if (!localiser(*this, QStringLiteral("export.lst"), QStringLiteral("fichier lst (*.lst) |*.lst")))
    return;
  QByteArray lst;
  echange::lireTout(cheminDans(m_v.cheminExport, QStringLiteral("export.lst")), lst);
  const QList<Fiche> fiches = echange::lireExportLst(lst);

  // Only whole records are offered: a damaged folder never gives half a card.
  const int entieres = int(fiches.size());
  if (!lu.nombreLu) {
    m_v.nbImport = entieres;
    m_v.reponse = m_dialogues->message(QStringLiteral("Le nombre de fiches du fichier EXPORT.DAT est illisible.\r\r"
                                                      "Les %1 fiche(s) complète(s) du fichier EXPORT.LST sont "
                                                      "proposée(s) à l'importation.")
                                           .arg(entieres),
                                       48, kMessage);
  } else if (lu.nombre > entieres) {
    m_v.nbImport = entieres;
    m_v.reponse = m_dialogues->message(QStringLiteral("Le fichier EXPORT.LST ne contient que %1 fiche(s) "
                                                      "complète(s) sur les %2 annoncée(s) par EXPORT.DAT.\r\r"
                                                      "Seules les fiches complètes peuvent être importées.")
                                           .arg(entieres)
                                           .arg(lu.nombre),
                                       48, kMessage);
  } else {
    m_v.nbImport = lu.nombre;
  }

  QStringList titres;
  for (int j = 0; j < m_v.nbImport; ++j)
    titres << echange::titreAffiche(fiches[j].get(Champ::titre));
  ouvrirSelection(*this, titres);
}

void Filmorel::importer() {
  if (!fenImport)
    return;
  const QList<int> coches = fenImport->coches();
  const bool jackets = fenImport->avecJackets();

  // The cards as they are now in the folder, up to the announced count.
  QByteArray lst;
  echange::lireTout(cheminDans(m_v.cheminExport, QStringLiteral("export.lst")), lst);
  const QList<Fiche> fiches = echange::lireExportLst(lst).mid(0, qMax(0, m_v.nbImport));

  auto confirmer = [this](const EntreeIndex &existante, const Fiche &nouvelle) {
    m_v.reponse = m_dialogues->message(
        QStringLiteral("Il y a déjà une fiche avec le même code EAN !\r\rFiche existante :\r%1  %2\r\r"
                       "Fiche à insérer :\r%3  %4\r\rContinuer quand même l'insertion de cette fiche ?")
            .arg(sansEspaces(existante.ean()), sansEspaces(existante.titre()),
                 sansEspaces(nouvelle.get(Champ::ean)), sansEspaces(nouvelle.get(Champ::titre))),
        36, kMessage);
    return m_v.reponse == Dialogues::Oui;
  };
  setProgression(0, m_v.nbImport);
  const echange::BilanImport bilan = echange::choisirFiches(m_v.cheminAppli, m_v.nbFiches, m_v.tabIndex, fiches,
                                                            coches, confirmer, [this](int j) { Progress->setValue(j); });

  // The lists come along even when no card did; dvd.ini only records them
  // with a new card.
  QByteArray dat;
  echange::lireTout(cheminDans(m_v.cheminExport, QStringLiteral("export.dat")), dat);
  const echange::Listes listes = echange::lireExportDat(dat).listes;
  const std::pair<int, const QStringList *> fusions[5] = {
      {4, &listes.genres}, {0, &listes.editeurs}, {2, &listes.sons}, {1, &listes.acheteurs}, {3, &listes.noms}};
  for (const auto &[n, entrants] : fusions) {
    const QStringList existants = comboListe(n)->items().mid(0, qMax(0, compteListe(n)));
    for (const QString &item : echange::nouveauxItems(existants, *entrants)) {
      comboListe(n)->ajouterItem(item);
      ++compteListe(n);
    }
  }

  // The cards, the index and dvd.ini change together, or not at all.
  catalogue::Resultat ecrit;
  if (!bilan.aInserer.isEmpty()) {
    ecrit = m_ecrivain.importer(bilan.aInserer, reglagesCourants(), [this](int p) { Progress->setValue(p); });
    if (ecrit.fait() && jackets)
      echange::copierJackets(m_v.cheminAppli, m_v.cheminExport, bilan.aInserer);
  }
  const int m = ecrit.fait() ? int(bilan.aInserer.size()) : 0;
  if (m_v.nbFiches > 0) {
    m_v.posCourante = 1;
    {
      QSignalBlocker bloque(VScroll1);
      VScroll1->setMaximum(m_v.nbFiches);
      VScroll1->setPageStep(m_v.nbFiches / 20 + 1);
    }
    afficherPosition(1);
    Demasquer();
  }
  finProgression();
  m_v.modeCreation = 0;

  if (bilan.illisibles > 0)
    m_v.reponse = m_dialogues->message(QStringLiteral("%1 fiche(s) sélectionnée(s) ne se trouvent plus entières "
                                                      "dans le fichier EXPORT.LST : elles n'ont pas été "
                                                      "importée(s).")
                                           .arg(bilan.illisibles),
                                       48, kMessage);
  if (bilan.sansNom > 0)
    m_v.reponse = m_dialogues->message(QStringLiteral("%1 fiche(s) sélectionnée(s) ont un code EAN qui ne peut pas "
                                                      "nommer un fichier (/, \\, : ou caractère de contrôle) : "
                                                      "elles n'ont pas été importée(s).")
                                           .arg(bilan.sansNom),
                                       48, kMessage);
  if (!ecrit.fait())
    m_v.reponse = m_dialogues->message(ecrit.message, 48, kMessage);
  if (bilan.horsLimite > 0)
    m_v.reponse = m_dialogues->message(QStringLiteral("Le catalogue est complet : il ne peut contenir plus de %1 "
                                                      "fiches.\r\r%2 fiche(s) sélectionnée(s) n'ont pas été "
                                                      "importée(s).")
                                           .arg(fichiers::MaxFiches)
                                           .arg(bilan.horsLimite),
                                       48, kMessage);
  m_v.reponse = m_dialogues->message(
      QStringLiteral("Importation de %1 fiche(s) terminée(s) avec succès !!!    ").arg(m), 64, kMessage);
}
