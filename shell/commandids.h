// The numbers of every command of the program: the frame's menus and tool
// bars, the popup menus, the document views, the library browser and the
// presentation window. A command is named here once; its texts, rules and
// handler live in the command table of the window kind that carries it out.
#pragma once

namespace plexo::cmd {

// File commands of the document manager.
inline constexpr int kNew = 24331;
inline constexpr int kOpen = 24332;
inline constexpr int kSave = 24333;
inline constexpr int kClose = 24334;
inline constexpr int kSaveAs = 24335;
inline constexpr int kPrint = 24337;
inline constexpr int kPrintPreview = 24336; // the sheets that print, before printing
inline constexpr int kPageSetup = 24338;
inline constexpr int kRecentFirst = 24341; // recent files 24341..24349
inline constexpr int kRecentLast = 24349;
inline constexpr int kQuit = 24350;
inline constexpr int kExportDxf = 24357; // the current folio as a DXF file for CAD programs
inline constexpr int kSend = 786; // the active document by mail

// Edition commands of the views.
inline constexpr int kCut = 24322;
inline constexpr int kCopy = 24323;
inline constexpr int kPaste = 24324;
inline constexpr int kPasteFromFile = 711;
inline constexpr int kUndo = 1206;
inline constexpr int kDelete = 1207;
inline constexpr int kSelectAll = 1208;
inline constexpr int kDuplicate = 727;
inline constexpr int kFind = 1662;
inline constexpr int kFindNext = 1663;
inline constexpr int kProperties = 715;
inline constexpr int kFitOutline = 710;
inline constexpr int kUseFormatAsModel = 732;
inline constexpr int kBringToFront = 1648; // z-order operations 0..3
inline constexpr int kBringForward = 1649;
inline constexpr int kSendBackward = 1650;
inline constexpr int kSendToBack = 1651;
inline constexpr int kAlignTop = 1653; // alignment operations 0..5
inline constexpr int kAlignBottom = 1654;
inline constexpr int kAlignLeft = 1655;
inline constexpr int kAlignRight = 1656;
inline constexpr int kCentreHorizontally = 1657;
inline constexpr int kCentreVertically = 1658;
inline constexpr int kAlignOnGrid = 1659;  // alignment operation 6
inline constexpr int kCentreInFolio = 797; // alignment operation 7
inline constexpr int kRotateLeft = 1660;
inline constexpr int kRotateRight = 1661;
inline constexpr int kFlipHorizontal = 804;
inline constexpr int kFlipVertical = 805;
inline constexpr int kGoToFolio = 784;
inline constexpr int kOpenWebSite = 785;
inline constexpr int kPlayMidi = 787;
inline constexpr int kStopMidi = 788;
inline constexpr int kCopyWholeFolioPicture = 801; // no menu: copy, the picture shows the whole folio
inline constexpr int kDiagnosticFirst = 750;       // no menu: diagnostic message boxes 750..754
inline constexpr int kDiagnosticLast = 754;

// Document and view settings of the schéma view.
inline constexpr int kDocumentSize = 702;
inline constexpr int kGrids = 703;
inline constexpr int kWorkUnit = 704;
inline constexpr int kSnapToGrid = 705;
inline constexpr int kShowTerminals = 725;
inline constexpr int kAddFolio = 706;
inline constexpr int kFolioInfo = 707;
inline constexpr int kDeleteFolio = 708;
inline constexpr int kCopyFolioAs = 728;
inline constexpr int kFolioList = 731;
inline constexpr int kPageCount = 709;
inline constexpr int kTitleBlock = 729;
inline constexpr int kCopyFolio = 790;
inline constexpr int kPasteFolio = 791;
inline constexpr int kJclReverse = 781;
inline constexpr int kJclReverseSet = 782;
inline constexpr int kShowTabStrip = 1201;
inline constexpr int kShowRulers = 1202;
inline constexpr int kShowGrid = 1203;
inline constexpr int kPresentation = 789;

// Style groups: a selection accepts a group when one of its objects' kinds does;
// the group enables its commands and its tab of the style palette.
inline constexpr int kLineWidthGroup = 1210;
inline constexpr int kLineWidthFirst = 1211; // 1211..1216: width 1000 x (id - 1210)
inline constexpr int kLineWidthLast = 1216;
inline constexpr int kOtherLineWidth = 1217;
inline constexpr int kLineStyleGroup = 1218;
inline constexpr int kLineSolid = 1219; // line styles 0..2
inline constexpr int kLineDashed = 1220;
inline constexpr int kLineDotted = 1221;
inline constexpr int kLineColourGroup = 1222;
inline constexpr int kFillColourGroup = 1240;
inline constexpr int kFillPatternGroup = 1258;
inline constexpr int kFontGroup = 1300;
inline constexpr int kFontFirst = 1301; // fonts of the "MenuFont" popup: 1301 + i for the first 15 faces
inline constexpr int kFontMenuCount = 15;
inline constexpr int kFontSeparator = 1398;
inline constexpr int kOtherFont = 1399;
inline constexpr int kFontSizeGroup = 1401;
inline constexpr int kFontSizeFirst = 1402; // "MenuSize": 7, 8, 9, 10, 11, 12, 14, 18, 24, 36, 48, 64, 72
inline constexpr int kFontSizeLast = 1414;
inline constexpr int kOtherFontSize = 1499;
inline constexpr int kFontFlagsGroup = 1615;
inline constexpr int kFontNormal = 1616;
inline constexpr int kFontBold = 1617;
inline constexpr int kFontItalic = 1618;
inline constexpr int kFontUnderline = 1619;
inline constexpr int kTextLayoutGroup = 1620;
inline constexpr int kTextColourGroup = 1630;
inline constexpr int kArrowGroup = 1664;
inline constexpr int kStartArrowFirst = 1665; // "MenuFleche1": start arrow id - 1665
inline constexpr int kEndArrowFirst = 1679;   // "MenuFleche2": end arrow id - 1679
inline constexpr int kArrowCount = 13;
inline constexpr int kShadowColourGroup = 1692;
inline constexpr int kChordGroup = 1709;

// Tools 101..120 of the "Outils" menu; the current tool belongs to the frame.
inline constexpr int kToolFirst = 101;
inline constexpr int kToolSelection = 101;
inline constexpr int kToolAddLines = 102;
inline constexpr int kToolMagnifier = 103;
inline constexpr int kToolLine = 104;
inline constexpr int kToolRectangle = 105;
inline constexpr int kToolRoundRectangle = 106;
inline constexpr int kToolOval = 107;
inline constexpr int kToolPolygon = 108;
inline constexpr int kToolHalfOvalHorizontal = 109;
inline constexpr int kToolHalfOvalVertical = 110;
inline constexpr int kToolBezier = 111;
inline constexpr int kToolFreehand = 112;
inline constexpr int kToolText = 113;
inline constexpr int kToolTerminal = 114;
inline constexpr int kToolControlWire = 115;
inline constexpr int kToolCable = 116;
inline constexpr int kToolEditableText = 117;
inline constexpr int kToolChordGrid = 118;
inline constexpr int kToolTablature = 119;
inline constexpr int kToolCalendar = 120;
inline constexpr int kToolLast = 120;

// Frame commands.
inline constexpr int kHelp = 717;
inline constexpr int kAbout = 718;
inline constexpr int kReadMe = 730;
inline constexpr int kToggleMessages = 723;
inline constexpr int kToggleSymbols = 798;
inline constexpr int kToggleAttributes = 724;
inline constexpr int kZoomFirst = 760; // 760..768 levels 0..8, 769 "(+)", 770 "(-)"
inline constexpr int kZoomLevelLast = 768;
inline constexpr int kZoomIn = 769;
inline constexpr int kZoomOut = 770;
inline constexpr int kTimeZoneFirst = 1720; // GMT-11; offset = id - 1731
inline constexpr int kTimeZoneLast = 1743;
inline constexpr int kTimeZoneGmt = 1731;

// Window menu.
inline constexpr int kNewWindow = 24360;
inline constexpr int kCascade = 24361;
inline constexpr int kTile = 24362;
inline constexpr int kArrangeIcons = 24363;
inline constexpr int kCloseAll = 24364;
inline constexpr int kNextWindow = 24365;

// The library browser's tree ("MenuNode"); 708, 715 and 707 share their numbers
// with the schéma view's folio deletion, properties and folio information.
inline constexpr int kCreateLibrary = 720;
inline constexpr int kAddFolder = 721;
inline constexpr int kAddSymbol = 722;
inline constexpr int kDeleteNode = 708;
inline constexpr int kCutSymbol = 799;
inline constexpr int kPasteSymbol = 800;
inline constexpr int kImportImage = 783;
inline constexpr int kEditSymbol = 715;
inline constexpr int kNodeProperties = 707;
inline constexpr int kDropQuery = 938;  // asked of a window under the dragged symbol
inline constexpr int kDropTarget = 939; // its answer when the window takes drops

// The presentation window ("MenuPresentation"); it also shows 731, the folio list.
inline constexpr int kRecordSequence = 792;
inline constexpr int kDeleteSequence = 793;
inline constexpr int kPlaySequence = 794;
inline constexpr int kStopSequence = 795;
inline constexpr int kLoopSequence = 796;
inline constexpr int kInverseVideo = 807;

} // namespace plexo::cmd
