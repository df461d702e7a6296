#include "tools/helptexts.h"

namespace plexo::helptexts {

namespace {

Block h(const char* text) {
    return {true, text};
}
Block p(const char* text) {
    return {false, text};
}

} // namespace

std::vector<Block> presentation() {
    return {
        h("Bienvenue dans Plexo"),
        p("Plexo dessine des schémas techniques de plusieurs pages : schémas électriques, organigrammes, "
          "synoptiques de câblage, chaînes de traitement informatiques. Ce document est lui-même un schéma "
          "Plexo : parcourez ses folios avec les onglets en bas de la fenêtre, ou avec la liste des folios "
          "(F8)."),
        h("Le schéma"),
        p("Un schéma est un document enregistré dans un fichier « .dls ». Il réunit des folios, les "
          "réglages du document (format du papier A4 à A0, échelle, orientation, grilles magnétiques, unité "
          "de travail en millimètres ou en points), les styles par défaut des nouveaux objets et le nom du "
          "cartouche. Pendant l'édition, Plexo travaille dans une copie de travail placée à côté du "
          "document (le nom du document suivi de « .tmp ») ; « Sauver » reconstruit le fichier « .dls » à "
          "partir de cette copie, ce qui le compacte."),
        h("Le folio"),
        p("Un folio est une page du schéma. Il porte une identification : un numéro (« N° », qui classe "
          "les folios), une date, un auteur, un objet, un indice de révision, trois lignes de titre et "
          "dix lignes de révision. Un grand folio peut couvrir plusieurs pages en largeur et en hauteur "
          "(« Nombre de pages... ») ; chaque page s'imprime sur une feuille. Le menu Document ajoute, "
          "renomme, copie et supprime les folios."),
        h("La librairie de symboles"),
        p("Une librairie (fichier « .dly ») range des symboles dans des dossiers. Un symbole est un petit "
          "dessin réutilisable qui porte des bornes (où se raccordent les fils) et des textes éditables "
          "(son nom, son repère). La palette « Librairies de symboles » montre les librairies : glissez un "
          "symbole sur le folio pour le placer. Plexo est livré avec trois librairies : Symboles.dly "
          "(électricité et organigrammes), Cartouches.dly et Jcl.dly (symboles de la rétro-documentation)."),
        h("Le cartouche"),
        p("Le cartouche est un symbole particulier, de type « Cartouche », dessiné dans un coin de chaque "
          "folio. Ses textes éditables se remplissent avec l'identification du folio : titres, numéro, "
          "date, auteur, indice, numéro de page. Choisissez-le avec Document > Cartouche... ; le cartouche "
          "fourni, « Cartouche A4 », est celui que vous voyez en bas à droite de ce folio."),
        h("Pour commencer"),
        p("Fichier > Nouveau crée un schéma vide d'un folio. Choisissez un outil dans la barre « Outils », "
          "dessinez dans le folio, puis enregistrez avec Fichier > Sauver (Ctrl+S). Le dossier des "
          "exemples livrés avec Plexo contient « Exemples.dls » : un schéma électrique, un organigramme et "
          "des chaînes de traitement JCL."),
    };
}

std::string toolsIntroduction() {
    return "Chaque outil de la barre « Outils » (ou du menu Outils) dessine une sorte d'objet. Cliquez dans "
           "le folio et faites glisser la souris ; avec la touche Maj, la ligne reste horizontale, "
           "verticale ou à 45 degrés et les rectangles et ovales restent carrés ou ronds. Le nouvel objet "
           "prend le style par défaut (palette « Styles »). Les points s'alignent sur la grille magnétique "
           "quand « Aligner sur la grille » est coché.";
}

std::string otherToolsIntroduction() {
    return "Les bornes et les textes éditables servent à dessiner les symboles d'une librairie ; les grilles "
           "d'accord, les tablatures et les calendriers sont des objets complets qui se règlent par "
           "Edition > Propriétés... (double-clic).";
}

const char* toolText(int commandId) {
    switch (commandId) {
    case 104:
        return "Un segment droit entre le point où le bouton est enfoncé et celui où il est relâché. Des "
               "flèches peuvent orner chaque extrémité (menus Flèche).";
    case 105:
        return "Un rectangle donné par deux coins opposés ; il peut être rempli d'une couleur ou d'un motif.";
    case 106:
        return "Un rectangle aux coins arrondis, tracé comme le rectangle.";
    case 107:
        return "Un ovale inscrit dans le rectangle tracé ; Maj donne un cercle.";
    case 108:
        return "Une ligne brisée fermée : chaque clic ajoute un sommet, un double-clic termine le polygone.";
    case 109:
        return "Une moitié d'ovale dont la coupe est horizontale, dans le rectangle tracé.";
    case 110:
        return "Une moitié d'ovale dont la coupe est verticale, dans le rectangle tracé.";
    case 111:
        return "Une courbe lisse qui passe près des points cliqués ; un double-clic la termine.";
    case 112:
        return "Un trait à main levée qui suit la souris tant que le bouton reste enfoncé.";
    case 113:
        return "Un texte dans un cadre : cliquez, tapez le texte, puis cliquez ailleurs. Police, taille, "
               "gras, italique et alignement se règlent dans le menu Edition ou la palette « Styles ».";
    case 114:
        return "Une borne de symbole : le point où un fil se raccorde. Son nom (in1, out1...) désigne la "
               "borne ; une instance du symbole peut y afficher un texte.";
    case 115:
        return "Un fil de commande relie deux bornes par des segments horizontaux et verticaux ; il suit "
               "les symboles quand on les déplace.";
    case 116:
        return "Un câble relie deux bornes par une courbe, pour les synoptiques de câblage.";
    case 117:
        return "Un texte éditable de symbole (« #Nom », « #Repère ») : chaque instance du symbole y montre "
               "son propre texte.";
    case 118:
        return "Une grille d'accord de guitare : six cordes, les cases et les doigts posés.";
    case 119:
        return "Une tablature de guitare, une ligne par corde, avec l'accordage de la palette « Styles ».";
    case 120:
        return "Un calendrier d'un à six mois ; chaque jour peut recevoir une note, des repères ou un fond "
               "hachuré.";
    default:
        return "";
    }
}

std::vector<Block> selectionTools() {
    return {
        h("Sélection, ajout de lignes et loupe"),
        p("L'outil Sélection choisit les objets (clic, Maj+clic pour en ajouter, ou un rectangle tracé "
          "autour d'eux), les déplace et les redimensionne par leurs poignées. Les flèches du clavier "
          "passent à l'objet voisin. L'outil « Ajout ou suppression de lignes » insère de l'espace sous le "
          "point cliqué (clic gauche) ou en retire (clic droit), en déplaçant les objets situés plus bas. "
          "La Loupe agrandit l'affichage au clic gauche et le réduit au clic droit ; le menu Echelle et la "
          "case de zoom de la barre d'état choisissent directement de 10 % à 200 %."),
    };
}

std::vector<Block> wiresBefore() {
    return {
        h("Fils et bornes"),
        p("Les symboles d'une librairie portent des bornes. L'outil « Fil de commande » part d'une borne et "
          "s'arrête sur une autre : le fil est tracé en segments horizontaux et verticaux et reste attaché "
          "à ses deux bornes. Le « Câble » fait de même avec une courbe. Quand un symbole se déplace, "
          "tourne ou se retourne, ses fils le suivent. « Afficher les bornes » (barre d'état) montre ou "
          "cache les bornes des symboles."),
        p("Exemple : un interrupteur S1, une résistance R1 et une lampe H1 reliés par des fils de "
          "commande ; la lampe est reliée à la terre par un câble."),
    };
}

std::vector<Block> wiresAfter() {
    return {
        h("Amont et aval"),
        p("Un fil va de son extrémité amont à son extrémité aval ; la flèche du style marque le sens. "
          "Chaque extrémité peut porter une étiquette : dans Propriétés..., le texte avant la tabulation "
          "étiquette l'amont, le texte après l'aval."),
        h("Atteindre un autre folio"),
        p("Un texte qui commence par le numéro d'un folio sert de renvoi : sélectionnez-le et choisissez "
          "« Atteindre le folio correspondant » (Ctrl+H). Un texte qui contient une adresse internet "
          "s'ouvre dans le navigateur (« Ouvrir le site internet correspondant »), et un raccourci vers un "
          "fichier Midi se joue avec F5 (F6 l'arrête)."),
    };
}

std::vector<Block> menus() {
    return {
        h("Fichier"),
        p("Nouveau (Ctrl+N), Ouvrir... (Ctrl+O), Fermer, Sauver (Ctrl+S), Sauver sous..., Exporter en "
          "DXF... (le folio courant, pour un logiciel de CAO), Imprimer... (Ctrl+P), Aperçu avant "
          "impression, Mise en page..., Envoyer... (le document par messagerie), les derniers documents "
          "ouverts et Quitter. Plexo ouvre les schémas « .dls » et les séquences Midi « .mid »."),
        h("Edition"),
        p("Annuler (Ctrl+Z, un second Annuler rétablit), Couper, Copier, Coller, Coller à partir de (une "
          "image « .bmp » ou un raccourci « .mid »), Supprimer, Dupliquer (Ctrl+D), Sélectionner tout, "
          "Rechercher... (Ctrl+F) et Poursuivre la recherche (F3), Propriétés..., Ajuster le contour de "
          "l'objet, Utiliser le format comme modèle, puis les plans (premier plan, arrière plan...), les "
          "alignements, les rotations et symétries, l'épaisseur et le type du trait, les flèches, la "
          "police, la taille et le style des caractères."),
        h("Document"),
        p("Taille du document... (format et échelle), Grilles..., Unité de travail..., Aligner sur la "
          "grille, Afficher les bornes ; Ajouter un folio..., Information folio..., Supprimer le folio..., "
          "Copier le folio sous un autre nom..., Liste des folios... (F8), Nombre de pages..., "
          "Cartouche... ; Copier le folio et Coller un folio (entre deux documents) ; la rétro-"
          "documentation JCL ; le classeur (onglets), les règles, la grille ; le Mode présentation (F9)."),
        h("Outils"),
        p("Les mêmes outils que la barre « Outils », décrits aux folios 02 et 03."),
        h("Affichage"),
        p("Les fenêtres Messages (le journal de Plexo), Librairies de symboles et Styles ; l'échelle "
          "d'affichage ; le fuseau horaire de l'horloge de la barre d'état."),
        h("Fenêtre et ?"),
        p("Fenêtre range les documents ouverts (cascade, mosaïque) et passe de l'un à l'autre. Le menu ? "
          "ouvre cette documentation (F1), le Lisez-moi et la boîte « A propos de Plexo »."),
        h("Barres et palettes"),
        p("La barre « Commandes » reprend les commandes les plus utiles, la barre « Outils » les outils ; "
          "toutes deux se détachent et s'ancrent. La barre d'état montre le folio courant, la page, "
          "l'échelle et l'heure ; ses boutons ouvrent les palettes. La palette « Styles » règle le style "
          "de la sélection ou, sans sélection, celui des nouveaux objets."),
    };
}

std::vector<Block> printing() {
    return {
        h("Imprimer"),
        p("Fichier > Imprimer... (Ctrl+P) imprime le folio courant : une feuille par page du folio, "
          "colonne par colonne, chacune de haut en bas. Aperçu avant impression montre ces feuilles telles "
          "qu'elles s'imprimeront. Le cartouche indique sur chaque feuille le numéro de la page imprimée. "
          "Document > Taille du document... règle le format des folios (A4 à A0), l'échelle et "
          "l'orientation ; le papier et l'orientation de l'imprimante les suivent, jusqu'à ce que Mise en "
          "page... en choisisse d'autres (papier, orientation, marges)."),
        p("En ligne de commande, « plexo render » dessine les folios dans des fichiers PNG, SVG, PDF ou "
          "DXF, sans ouvrir de fenêtre ; un fichier PDF réunit tout le document, feuille par feuille, avec un "
          "signet par folio, quand aucun folio n'est désigné (voir le folio 08)."),
        h("Le mode présentation"),
        p("Document > Mode présentation (F9) montre le folio courant en plein écran, sans barres ni "
          "fenêtres. Flèche droite et flèche gauche passent au folio suivant ou précédent, Page suivante "
          "et Page précédente font défiler le folio d'une demi-page, les flèches haut et bas d'un pas, "
          "Origine revient en haut ; F8 ouvre la liste des folios et une autre touche atteint le premier "
          "folio dont le numéro commence par ce caractère. F9 ou Echap referme la présentation."),
        h("Séquences enregistrées"),
        p("Le clic droit ouvre le menu de la présentation : « Enregistrer une séquence » note chaque "
          "position de défilement avec son heure ; « Jouer la séquence » (Espace) les rejoue au même "
          "rythme, « Jouer en boucle la séquence » recommence sans fin, « Arrêter la séquence » (Espace) "
          "l'interrompt. « Inversion vidéo » affiche le folio en couleurs inversées. Le temps total de "
          "présentation est noté dans le journal à la fermeture du document."),
    };
}

std::vector<Block> jcl() {
    return {
        h("Rétro-documentation des JCL"),
        p("Plexo lit les fichiers de commandes de travaux (JCL) d'un ordinateur central et dessine, pour "
          "chaque travail, sa chaîne de traitement : un folio par travail, où chaque étape est une boîte "
          "de programme reliée par des fils aux fichiers qu'elle lit (au-dessus) et qu'elle écrit "
          "(au-dessous) : fichiers disque, bandes, états imprimés, cartes. Les symboles viennent de la "
          "librairie Jcl.dly."),
        h("Dans l'éditeur"),
        p("Document > Rétro-documentation d'un JCL... ouvre un fichier « .jcl » et dessine ses travaux dans "
          "de nouveaux folios du schéma actif. « Rétro-documentation d'un ensemble de JCL(s)... » fait de "
          "même pour tous les fichiers « .jcl » d'un dossier. Le journal (fenêtre Messages) indique les "
          "travaux lus, les étapes dessinées et les lignes qui n'ont pas pu être comprises."),
        h("Exemple"),
        p("Le début de l'exemple PAYROLL.jcl livré avec Plexo : la première étape (programme PAYCALC) lit "
          "le fichier du personnel et les pointages, et écrit un fichier de travail que la deuxième étape "
          "(SORT) trie par service ; une troisième étape imprime la paie et l'archive sur bande. Le folio "
          "suivant, « 07b », a été dessiné par Plexo à partir de ce fichier.\n"
          "// JOB PAYROLL   MONTHLY PAYROLL RUN\n"
          "// DLBL EMPMAST,'PROD.EMPLOYEE.MASTER',0,SD\n"
          "// DLBL TIMECRD,'PROD.TIME.CARDS',0,SD\n"
          "// DLBL PAYWORK,'PAY.WORK.FILE',0,SD\n"
          "// EXEC PAYCALC,SIZE=AUTO\n"
          "// DLBL SORTIN1,'PAY.WORK.FILE',0,SD\n"
          "// DLBL SORTOUT,'PAY.SORTED',0,SD\n"
          "// EXEC SORT,SIZE=256K"),
        h("En ligne de commande"),
        p("« plexo jcl -o chaines.dls PAYROLL.jcl » écrit le même dessin dans un nouveau schéma, sans "
          "ouvrir l'éditeur ; un dossier donné à la place d'un fichier est lu en entier."),
    };
}

std::string jclLegend() {
    return "Lecture : chaque boîte encadrée est une étape du travail, avec le nom de son programme. Les "
           "fichiers qu'elle lit sont au-dessus d'elle, ceux qu'elle écrit au-dessous ; chaque fil porte le "
           "nom de fichier logique (DLBL, TLBL) sous lequel le programme le connaît. Un fichier écrit par "
           "une étape et lu par la suivante relie les deux étapes. Les symboles (disque, bande, fichier "
           "VSAM, état imprimé) viennent de la librairie Jcl.dly.";
}

std::vector<Block> commandLine() {
    return {
        h("Ouvrir des documents"),
        p("« plexo plan.dls chant.mid » ouvre l'éditeur sur les documents donnés ; un nom sans extension "
          "reçoit « .dls ». Quand Plexo est déjà ouvert, les documents s'ouvrent dans la fenêtre "
          "existante. « plexo --help » liste les verbes, « plexo --version » affiche la version."),
        h("Les verbes"),
        p("Avec un verbe, plexo travaille sans fenêtre et rend la main :"),
        p("plexo render FICHIER.dls [--folio N] [--zoom 0..8] [--library DOSSIER] "
          "-o SORTIE.png|.svg|.pdf|.dxf\n"
          "     dessine les folios d'un schéma : en PNG, SVG ou DXF, un fichier numéroté par folio ; en PDF, "
          "tout le document tel qu'il s'imprime, dans un seul fichier. Avec --folio, un seul folio."),
        p("plexo jcl [--library DOSSIER] [-o SORTIE.dls] FICHIER.jcl|DOSSIER ...\n"
          "     dessine la chaîne de traitement de chaque JCL dans un nouveau folio."),
        p("plexo check FICHIER.dls|FICHIER.dly\n"
          "     vérifie le conteneur et chaque enregistrement d'un schéma ou d'une librairie."),
        p("plexo dump FICHIER.dls|FICHIER.dly\n"
          "     décrit un schéma ou une librairie tel qu'il est enregistré, en JSON."),
        p("plexo resave ENTREE.dls -o SORTIE.dls [--library DOSSIER]\n"
          "     relit chaque folio et enregistre une copie compacte sous un autre nom."),
        p("plexo midi FICHIER.mid [-o SORTIE.mid]\n"
          "     affiche les pistes et les événements d'un fichier Midi ; -o le réécrit."),
        h("Variables d'environnement"),
        p("PLEXO_HOME désigne le dossier de « Plexo.ini », de « Plexo.log.txt » et des librairies par "
          "défaut. Sans elle, ces fichiers sont à côté du programme quand ce dossier est modifiable, sinon "
          "dans « plexo » du dossier de configuration de l'utilisateur ($XDG_CONFIG_HOME, ou ~/.config)."),
    };
}

std::vector<Block> readMe() {
    return {
        h("Lisez-moi"),
        p("Plexo v1.0.5, éditeur de schémas techniques en plusieurs folios. La documentation complète "
          "s'ouvre par ? > Documentation... (F1)."),
        h("Installation"),
        p("Plexo s'installe avec « cmake --install » dans le préfixe de votre choix, ou avec le paquet "
          "Debian construit par « cpack -G DEB ». Le programme est bin/plexo ; les librairies livrées, "
          "l'exemple et ces documents d'aide sont dans share/plexo. Le bureau reçoit une entrée "
          "« Plexo » (catégories Graphisme et Ingénierie) qui ouvre les schémas « .dls » et les "
          "fichiers Midi « .mid » depuis le gestionnaire de fichiers."),
        h("Librairies de symboles"),
        p("Au démarrage, Plexo lit les librairies du dossier choisi dans les réglages ; tant que ce dossier "
          "n'en contient aucune, il montre celles qui sont livrées avec lui. Une librairie créée par vous "
          "va dans votre dossier, qui prend alors le relais."),
        h("Documents Midi"),
        p("Les fichiers Midi s'ouvrent comme des séquences, piste par piste ; la lecture passe par le "
          "synthétiseur logiciel et une banque de sons General MIDI installée sur le système."),
        h("En cas de problème"),
        p("La fenêtre Messages (Affichage > Afficher les messages) montre ce que Plexo a fait et les "
          "erreurs rencontrées ; le même journal est écrit dans « Plexo.log.txt ». « plexo check » "
          "vérifie un schéma ou une librairie douteux sans le modifier."),
    };
}

std::vector<Block> readMeFiles() {
    return {
        h("Où sont les fichiers"),
        p("Réglages : « Plexo.ini ». Journal : « Plexo.log.txt ». Ils sont dans le dossier désigné par "
          "PLEXO_HOME, sinon à côté du programme quand ce dossier est modifiable, sinon dans le dossier "
          "de configuration de l'utilisateur (~/.config/plexo)."),
        h("La copie de travail"),
        p("Un schéma ouvert est édité dans une copie de travail : le nom du document suivi de « .tmp », à "
          "côté du document. Un document sans nom garde la sienne dans un dossier privé de l'utilisateur. "
          "Le fichier « .dls » n'est réécrit que par Sauver ; la copie est effacée à la fermeture."),
        h("Récupération après un arrêt brutal"),
        p("Tant qu'un schéma modifié est ouvert, Plexo met sa copie de travail à jour au moins une fois "
          "par minute et chaque fois que la fenêtre perd la main, sans toucher au fichier « .dls ». Si "
          "Plexo s'arrête brutalement (panne de courant, plantage), la prochaine ouverture du document "
          "propose de récupérer les modifications non enregistrées : « Récupérer » ouvre le contenu de la "
          "copie de travail, le document restant à enregistrer ; « Ignorer » garde le fichier « .dls » "
          "tel quel et efface la copie. Les documents sans nom sont proposés de la même façon au "
          "démarrage de Plexo."),
        p("Une copie de travail utilisée par un Plexo ouvert est verrouillée : un second Plexo ne la "
          "propose jamais et ne l'efface pas ; il ouvre le document avec une copie de travail à lui."),
    };
}

} // namespace plexo::helptexts
