#pragma once

// Numbers of the captions of the language files that the main window uses itself (the command
// entries' numbers are in the caption tables of the command bars).
namespace CaptionNo {

constexpr int LinkTableWord = 34; // "Group": default title of an empty link table
constexpr int ProgramName = 179;  // minimized window title and loading status text
constexpr int DragButtons = 215;  // tooltip of the two drag buttons
constexpr int AddressBox = 224;
constexpr int TabStrip = 225;
constexpr int StatusText = 226;
constexpr int Progress = 227;
constexpr int FindInPage = 228;
constexpr int FindPrevious = 229;
constexpr int FindNext = 230;
constexpr int FindClose = 231;
constexpr int FindResult = 232; // "%1 of %2"
constexpr int PageTitle = 233;
constexpr int PageProtocol = 234;
constexpr int PageSize = 235;
constexpr int PageSizeValue = 236; // "%1 x %2 pixels"
// Messages about files and settings programs; a language file written before one existed gets
// the English text built in (FileMessages).
constexpr int LanguageFileUnreadable = 237; // "The language file %1 could not be read."
constexpr int FileNotRead = 238;            // "The file %1 could not be read: %2"
constexpr int FileNotWritten = 239;         // "The file %1 could not be written: %2"
constexpr int FileNotAppended = 240;        // "Nothing could be added to the file %1: %2"
constexpr int FileNotEmptied = 241;         // "The file %1 could not be emptied: %2"
constexpr int NotRegularFile = 242;         // "it is not a regular file"
constexpr int FileTooLarge = 243;           // "it is too large"
constexpr int NoSettingsProgram = 244;      // "No settings program was found ... (looked for %1)."
constexpr int ExitNotSaved = 245;           // "Some of your settings could not be saved:"

// Screen picture, web archive and page source: 246-259, and the two texts their Parts number.
constexpr int PageSavedAs = 108;     // "The document has been saved as: ", then the file name
constexpr int PictureSaved = 192;    // "The screen picture has been saved", then ": " and the path
constexpr int WindowNotDimmed = 246; // "The window could not be dimmed."
constexpr int PictureNotTaken = 247; // "No picture of the screen could be taken: %1"
constexpr int ScreenNotReadable = 248;   // "this desktop does not let programs read the screen"
constexpr int PortalNoPicture = 249;     // "the desktop's screenshot service gave no picture"
constexpr int NoFreePictureNumber = 250; // "No number is left for a new picture in %1."
constexpr int PageNotSaved = 251;        // "The page could not be saved as %1: %2"
constexpr int SaveTookTooLong = 252;     // "it took too long"
constexpr int WebArchiveFormat = 253;    // "Web archive, single file"
constexpr int CompletePageFormat = 254;  // "Web page, complete"
constexpr int MarkupOnlyFormat = 255;    // "Web page, HTML only"
constexpr int SavePageTitle = 256;       // "Save the page"
constexpr int NoDocument = 257;          // "The page shows no document."
constexpr int EngineDidNotWrite = 258;   // "the engine did not write it"

// Office exports: 260-279.
constexpr int NothingCopied = 120; // "Nothing could be copied from this page."
constexpr int SlideWord = 216;     // "Slide" + the slide count
constexpr int SlideAdded = 217;    // "has been added to the presentation:"
constexpr int StepCopy = 260;      // status texts of the steps of an export; from StepStart on
constexpr int StepStart = 261;     // in the order of the office's steps
constexpr int StepOpen = 262;
constexpr int StepPaste = 263;
constexpr int StepSave = 264;
constexpr int StepConvert = 265;
constexpr int StepPicture = 266;
// 267-271 are kept free: a failure shows its caption of 321-327 and the detail below it.
constexpr int NoScreenPicture = 272; // "No picture of the screen could be taken."
constexpr int SaveAsTitle = 273;     // title of the save dialog of the exports

// Link tables: 280-289.
constexpr int LinkStrip = 280;      // "Tables %1 to %2": one strip of tabs
constexpr int LinkTitleBox = 281;   // "New title of the table"
constexpr int LinkMoveHandle = 282; // "Move the window"
constexpr int LinkGridName = 283;   // "Entries of the table"
constexpr int ConcealedValue = 284; // "concealed, press Space to show"
constexpr int LinkTableKept = 285;  // "The table is shown empty and its file is left unchanged."

// Language editor, input window and About window: 290-309.
constexpr int AboutCredit = 290;          // "By the OrvelQuorvink authors: %1" (the address)
constexpr int LanguageNameUnusable = 291; // "The language name %1 cannot be used: %2. ..."
constexpr int LanguageNameEmpty = 292;    // "The name of the language is empty. ..."
constexpr int NameHasSeparator = 293;     // "it contains a path separator"
constexpr int NameHasDot = 294;           // "it contains a dot, where the language menu ..."
constexpr int NameHasBadCharacter = 295;  // "it contains a character that file names cannot hold"
constexpr int NameIsReserved = 296;       // "it is the name of the menu entry for a new ..."
constexpr int LanguageDiffers = 297;      // "The text differs from the English language file:"
constexpr int CaptionCountDiffers = 298;  // "%1 lines in double quotes, the English file has %2"
constexpr int SettingMissing = 299;       // "the setting %1 is missing"
constexpr int SettingUnknown = 300;       // "the setting %1 is not in the English file"
constexpr int FileNotRemoved = 301;       // "The file %1 could not be removed: %2"
constexpr int LanguageText = 302;         // the editor's text box, for screen readers
constexpr int FindInText = 303;           // "Find in the text"

// The office's life and the exports' failures: 320-329.
constexpr int OfficeNotInstalled = 320; // "The office exports need the package ..."
constexpr int OfficeNotStarted = 321;   // "The office could not be started."
constexpr int DocumentNotOpened = 322;  // "The document or its template could not be opened."
constexpr int PageNotPasted = 323;      // "The page could not be put into the document."
constexpr int FileNotSaved = 324;       // "The file could not be saved."
constexpr int PdfNotMade = 325;         // "The PDF could not be made."
constexpr int OfficeTooLong = 326;      // "The office took too long and was stopped."
constexpr int OfficeHelperEnded = 327;  // "The office helper ended unexpectedly."
constexpr int CancelOffice = 328;       // "Cancel": ends the wait for the office
constexpr int EngineReason = 329;       // "the web engine gave this reason:", then its words

// The office exports' bounds: 510-519.
constexpr int PresentationLinked = 510; // "The presentation refers to pictures ... outside it..."

// Link tables, language names and the small windows: 330-349.
constexpr int FileKeptUnread = 330;    // "it could not be read, so it is kept as it is"
constexpr int NameHasInvisible = 331;  // "it contains the invisible character %1 (...)"
constexpr int NameIsDevice = 332;      // "it is the name of a device on some systems (CON, ...)"
constexpr int SortAgain = 333;         // SORT: what a second press does
constexpr int SortedByAddress = 334;   // "%1 (sorted by address)": the title column's header
constexpr int LanguageNameLabel = 335; // the label of the new language's name prompt

// Opening files and addresses, the display at start: 350-379.
constexpr int FileNotOpened = 350;    // "The file %1 could not be opened: no program ... (%2 ...)."
constexpr int AddressNotOpened = 351; // "The address %1 could not be opened: no program ..."
constexpr int FileNotThere = 352;     // "The file %1 could not be opened: it does not exist."
constexpr int ReadOnlyTitle = 353;    // "%1 (read only)": the program's own text window
constexpr int NoDisplaySet = 354;     // "No display can be opened: neither WAYLAND_DISPLAY ..."
constexpr int NoWaylandPlugin = 355;  // "... the Wayland platform plugin ... (package %1)."
constexpr int DisplayUnreachable = 356; // "No display can be opened: %1 (%2) cannot be reached."

// Packages and licence: 380-389.
constexpr int Licence = 380; // "Free software under the GNU General Public License, ..."

// Harvesting the frames of other sites, what a pass read, the address book for mail programs:
// 390-409.
constexpr int OtherSiteFrames = 390; // the options menu's check entry
constexpr int SaveBookAs = 391;      // "Save the address book as…": menu entry and dialog title
// 392 held the former status text of a pass ("%1 addresses written from %2 frames read").
constexpr int PassNoFrames = 393;         // "... the page has no frames; addresses written: 0"
constexpr int VCardFilter = 394;          // the save dialog's filter name of vCard files
constexpr int CsvFilter = 395;            // the save dialog's filter name of CSV files
constexpr int BookSaved = 396;            // "Addresses written to %2: %1. Lines skipped ...: %3."
constexpr int BookWithoutAddress = 397;   // "The address book %1 holds no address (... %2)."
constexpr int BookIsTarget = 398;         // "The address book itself cannot be written over; ..."
constexpr int HarvestPageItself = 399;    // the options menu's check entry: the page itself too
constexpr int HarvestTextAddresses = 400; // the options menu's check entry: text addresses too
// The status text of a pass: "Harvest: %1; %2; %3", the three counts in the words for one or
// for many (the plural's with %1).
constexpr int PassCounts = 401;
constexpr int AddressWritten = 402;
constexpr int AddressesWritten = 403;
constexpr int DocumentRead = 404; // the page itself or a frame
constexpr int DocumentsRead = 405;
constexpr int FrameRead = 406; // a pass over the frames only
constexpr int FramesRead = 407;
constexpr int FrameNotRead = 408;
constexpr int FramesNotRead = 409;

// Downloads: the save dialog, the downloads button and window, why a transfer failed, exit
// while transfers run: 410-439.
constexpr int DownloadSaveTitle = 410;    // the download save dialog's title
constexpr int DownloadsTitle = 411;       // the downloads window's title
constexpr int DownloadsButton = 412;      // the bottom strip's button: "Downloads: %1, %2 %"
constexpr int DownloadCancel = 413;       // "Cancel"
constexpr int DownloadOpen = 414;         // "Open"
constexpr int DownloadShowInFolder = 415; // "Show in folder"
constexpr int DownloadProgress = 416;     // sizes received and in all
constexpr int DownloadDone = 417;         // "Done"
constexpr int DownloadCancelled = 418;    // "Cancelled"
constexpr int DownloadFailedRow = 419;    // %1: why
constexpr int DownloadFailed = 420;       // %1: the file chosen, %2: why
constexpr int DownloadNotNamed = 421; // "The download is complete but could not be named %1 ..."
constexpr int ExitWhileDownloading = 422; // "Downloads are still running (%1). Stop them and exit?"
constexpr int ReasonFileFailed = 423;     // "the file could not be written"
constexpr int ReasonAccessDenied = 424;   // "the folder may not be written to"
constexpr int ReasonNoSpace = 425;        // "the disk is full"
constexpr int ReasonNameTooLong = 426;    // "the file name or its path is too long"
constexpr int ReasonFileTooLarge = 427;   // "the file is too large for the disk"
constexpr int ReasonBlocked = 428;        // "the file was blocked as unsafe"
constexpr int ReasonNetwork = 429;        // "the network connection failed"
constexpr int ReasonTimeout = 430;        // "the network did not answer in time"
constexpr int ReasonDisconnected = 431;   // "the network connection was lost"
constexpr int ReasonServer = 432;         // "the server could not send the file"
constexpr int ReasonRefused = 433;        // "the server refused to send the file"
constexpr int ReasonEndedEarly = 434;  // "the server ended the transfer before the whole file ..."
constexpr int ReasonCancelled = 435;   // "it was cancelled"
constexpr int ReasonEngineEnded = 436; // "the web engine ended"
constexpr int ReasonUnknown = 437;     // "no reason was given"

// Start-up, signals and a second start: 500-509.
constexpr int FieldNotKept = 500; // "The field %1 cannot be stored as typed: ..."

// The page's right-click menu: the texts it shares with the menus and tool tips, and 480-499.
constexpr int MenuBack = 2;
constexpr int MenuForward = 3;
constexpr int MenuSelectAll = 23;
constexpr int MenuViewSource = 35;
constexpr int MenuStop = 125;
constexpr int MenuReload = 126;
constexpr int MenuCut = 157;
constexpr int MenuCopy = 158;
constexpr int MenuPaste = 159;
constexpr int OpenLink = 480;           // "Open link"
constexpr int OpenLinkInNextTab = 481;  // "Open link in the next tab"
constexpr int CopyLinkAddress = 482;    // "Copy link address"
constexpr int SaveLinkAs = 483;         // "Save link as…"
constexpr int CopyPicture = 484;        // "Copy picture"
constexpr int CopyPictureAddress = 485; // "Copy picture address"
constexpr int SavePictureAs = 486;      // "Save picture as…"
constexpr int SavePageAs = 487;         // "Save page as…": the program's web archive

// The start page: the program's name, what it collects, and 488-492.
constexpr int AboutHarvest = 200;         // "Collects the mail addresses that the pages ..."
constexpr int StartTypeAddress = 488;     // "Type an address in the box above ..."
constexpr int StartCollect = 489;         // "... the button “%1” and choose “%2” ..."
constexpr int StartMailList = 490;        // "The same menu shows the list (“%1”), ..."
constexpr int StartSave = 491;            // "The button “%1” saves the page as ..."
constexpr int StartLanguageAndHelp = 492; // "The button “%1” chooses the language ...; help ..."

// Logins, certificate errors and the permissions a page asks for: 440-459.
constexpr int LoginTitle = 440;           // "Log in": the login window's title and its OK button
constexpr int LoginSite = 441;            // "The site %1 asks for a user name and a password."
constexpr int LoginProxy = 442;           // "The proxy %1 asks for a user name and a password."
constexpr int LoginRealm = 443;           // "The site's own words: %1" (the server's realm)
constexpr int LoginUser = 444;            // "User name:"
constexpr int LoginPassword = 445;        // "Password:"
constexpr int LoginAgain = 446;           // "The user name or the password was not accepted. ..."
constexpr int CertificateQuestion = 447;  // "The certificate of %1 is not valid: %2. ... anyway?"
constexpr int CertificateName = 448;      // "it was issued for another name"
constexpr int CertificateDate = 449;      // "it has expired or is not valid yet"
constexpr int CertificateAuthority = 450; // "it was not issued by an authority this computer ..."
constexpr int CertificateOther = 451;     // "the web engine gave this reason: %1"
constexpr int PermissionQuestion = 452; // "The site %1 asks to use %2. Allow it for this run ...?"
constexpr int FeatureLocation = 453;    // "your location"
constexpr int FeatureNotifications = 454;    // "notifications on your desktop"
constexpr int FeatureCamera = 455;           // "your camera"
constexpr int FeatureMicrophone = 456;       // "your microphone"
constexpr int FeatureCameraMicrophone = 457; // "your camera and your microphone"
constexpr int FeatureScreen = 458;           // "the picture of your screen"
constexpr int FeatureScreenSound = 459;      // "the picture and the sound of your screen"

// Keys and local files: 460-479. The commands' captions; a language file without them shows the
// English ones.
constexpr int OpenLocalFile = 460;  // "Open a local file...": menu entry
constexpr int OpenLocalTitle = 461; // "Open a local file": the open dialog's title
constexpr int WebPagesFilter = 462; // the open dialog's filter name of web pages
constexpr int AllFilesFilter = 463; // the open dialog's filter name of every file
constexpr int GoToAddressBox = 464; // "Go to the address box"
constexpr int NextTab = 465;        // "Next tab"
constexpr int PreviousTab = 466;    // "Previous tab"
constexpr int ZoomIn = 467;         // "Zoom in"
constexpr int ZoomOut = 468;        // "Zoom out"
constexpr int ZoomActualSize = 469; // "Actual size"

// The selected tab, the language switch, opening files, the language editor, screen readers:
// 520-539.
constexpr int FileNoProgram = 520;    // "The file %1 could not be opened: no program ... opens it."
constexpr int AddressNoProgram = 521; // "The address %1 could not be opened: no program ..."

// The main window's menu entries ("Menu…") and toolbar tooltips ("Tip…") of the original set;
// the page's menu shares some of them.
constexpr int MenuExit = 1;                   // "Exit"
constexpr int MenuDelete = 18;                // "Delete"
constexpr int TipClose = 32;                  // "Close"
constexpr int MenuAutoHide = 38;              // "Auto-hide bars"
constexpr int MenuPageSetup = 41;             // "Page setup..."
constexpr int MenuPrintPreview = 42;          // "Print preview"
constexpr int TipPrint = 43;                  // "Print"
constexpr int TipMinimize = 60;               // "Minimize"
constexpr int MenuHomePage = 63;              // "Home page"
constexpr int MenuSoundSettings = 97;         // "Sound settings"
constexpr int TipBack = 123;                  // "Back"
constexpr int TipForward = 124;               // "Forward"
constexpr int TipSaveAs = 128;                // "Save as"
constexpr int TipEdit = 129;                  // "Edit"
constexpr int TipLinkTables = 130;            // "Open the link tables"
constexpr int TipOptions = 131;               // "Options"
constexpr int TipNavigation = 134;            // "Navigation"
constexpr int MenuUseAsHomePage = 135;        // "Use this address as home page"
constexpr int MenuAbout = 138;                // "About OrvelQuorvink"
constexpr int MenuSaveWebPage = 145;          // "Web page..."
constexpr int MenuSaveWordLandscape = 146;    // "Word document, landscape..."
constexpr int MenuSaveWordPortrait = 147;     // "Word document, portrait..."
constexpr int MenuSaveExcel = 148;            // "Excel workbook..."
constexpr int MenuSavePowerPoint = 149;       // "PowerPoint slide..."
constexpr int MenuOpenInDefaultBrowser = 160; // "Open in the default browser"
constexpr int MenuInternetSettings = 161;     // "Internet settings"
constexpr int MenuSecuritySettings = 162;     // "Security settings"
constexpr int MenuFindInPage = 166;           // "Find in page..."
constexpr int MenuOpenBookmark = 169;         // "Open bookmark"
constexpr int MenuSaveBookmark = 170;         // "Save bookmark"
constexpr int MenuOfficeStyle = 172;          // "Office style"
constexpr int MenuXpStyle = 173;              // "XP style"
constexpr int MenuMoneyStyle = 174;           // "Money style"
constexpr int MenuHelp = 175;                 // "Help (on this computer)"
constexpr int MenuScreenPicture = 176;        // "Save screen picture"
constexpr int MenuPageProperties = 177;       // "Page properties"
constexpr int MenuSystemStyle = 180;          // "System style"
constexpr int MenuTranslator = 189;           // "Translator"
constexpr int TipLanguage = 194;              // "Language"
constexpr int TipAbout = 196;                 // "About OrvelQuorvink"
constexpr int MenuSavePdf = 206;              // "PDF document..."
constexpr int MenuNewLanguageFile = 209;      // "New language file"
constexpr int MenuViewMailList = 218;         // "View the mail list"
constexpr int MenuAddToAddressBook = 219;     // "Add the list to the address book"
constexpr int MenuEmptyMailList = 220;        // "Empty the mail list"
constexpr int MenuCollectSwitch = 221;        // "Collect mail addresses (on/off)"
constexpr int TipMailAddresses = 223;         // "Mail addresses"

} // namespace CaptionNo
