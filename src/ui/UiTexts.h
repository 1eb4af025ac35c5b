#pragma once
// Every text the window shows, in one place.

namespace ui::text {

inline constexpr const char* kAppTitle = "Vellumor";
inline constexpr const char* kProductVersion = "Vellumor 5.0";
inline constexpr const char* kTagline = "PDF to editable documents, and the images of a PDF";

// Main window.
inline constexpr const char* kTabConvert = "Convert PDF";
inline constexpr const char* kTabSettings = "Settings";
inline constexpr const char* kMinimise = "-";
inline constexpr const char* kClose = "X";
inline constexpr const char* kHome = "Home";
inline constexpr const char* kInfo = "Info";
inline constexpr const char* kHelp = "Help";
inline constexpr const char* kExtractImages = "Extract Images";
inline constexpr const char* kConvertToWord = "Convert to Word";
inline constexpr const char* kInfoText =
    "<b>Vellumor</b><br>Version 5.0<br><br>Turns PDF documents into editable word-processor documents "
    "and extracts their images.";
inline constexpr const char* kManualLink = "The Vellumor manual";
inline constexpr const char* kCloseDuringBatch =
    "A conversion is running. Do you want to cancel it and close Vellumor?";

// Settings page.
inline constexpr const char* kSettingsTitle = "Settings";
inline constexpr const char* kDestinationFolder = "Destination Folder";
inline constexpr const char* kLogFileFolder = "Log File Folder";
inline constexpr const char* kDocumentFormat = "Document Format";
inline constexpr const char* kAutoOpen = "Open results and ask before replacing";
inline constexpr const char* kLanguage = "Language";
inline constexpr const char* kLayout = "Layout";
inline constexpr const char* kImageFilterSetting = "Remove Images";
inline constexpr const char* kPreserveSetting = "Preserve Character Spacing";
inline constexpr const char* kAllPagesSetting = "Convert All Pages";
inline constexpr const char* kKeepLinesSetting = "Keep Source Lines (flowing text)";
inline constexpr const char* kOcrSetting = "Recognise Scanned Text";
inline constexpr const char* kOcrLanguagesLabel = "Languages";
inline constexpr const char* kOcrLanguagesDefault = "%1 (default)";
inline constexpr const char* kSelectFolder = "Select Folder:";
inline constexpr const char* kDefault = "Default";
inline constexpr const char* kSettingsNotSaved =
    "The settings could not be saved to %1. They apply until Vellumor is closed.";

// Wizards.
inline constexpr const char* kBack = "< Back";
inline constexpr const char* kNext = "Next >";
inline constexpr const char* kLast = "Last >>";
inline constexpr const char* kFinish = "Finish";
inline constexpr const char* kLayoutOptions = "Layout Options";
inline constexpr const char* kLayoutFlowing =
    "FLOWING TEXT- Retains page layout, columns, formatting, graphics, and preserves text flow.";
inline constexpr const char* kLayoutFormatted =
    "FORMATTED TEXT- Retains text formatting and text flow only. Discards images, layout, and column settings.";
inline constexpr const char* kLayoutTextOnly =
    "TEXT ONLY- Retains text flow only. Discards text formatting, images, layout, and column settings.";
inline constexpr const char* kLayoutAsIs =
    "AS IS- Produces an exact replica of your PDF! Retains everything from text formatting and text flow to "
    "images, layout, and columns settings.";
inline constexpr const char* kKeepLines = "Keep the source's line breaks";
inline constexpr const char* kKeepLinesExplanation =
    "FLOWING TEXT only: every line of the PDF stays a paragraph of its own, where the PDF breaks it. "
    "Paragraphs then do not re-flow when the text is edited.";
inline constexpr const char* kKeepLinesMark = "(source line breaks kept)";
inline constexpr const char* kOcrAuto = "Automatic (pages without text)";
inline constexpr const char* kOcrAlways = "Always";
inline constexpr const char* kOcrNever = "Never";
inline constexpr const char* kOcrExplanation =
    "Scanned pages hold only a picture of their text: Tesseract recognises their words so that they can be "
    "edited. \"Always\" recognises every page, also the text the PDF has.";
inline constexpr const char* kOcrLanguagesExplanation =
    "Tesseract's languages joined by +, e.g. eng+deu. Empty: the installed languages of your locale, else English.";
inline constexpr const char* kImageFilter = "Image Filter";
inline constexpr const char* kRemoveImages = "Remove Images";
inline constexpr const char* kAutomaticAnchoring = "Automatic Anchoring";
inline constexpr const char* kPreserveSpacing = "Preserve Character Spacing";
inline constexpr const char* kPreserveNotApplicable =
    "Not applicable: this version of Vellumor writes character spacing the same way whatever is chosen here. "
    "The choice is kept, but it changes nothing in the result.";
inline constexpr const char* kNotApplicableMark = "(not applicable)";
inline constexpr const char* kYes = "YES";
inline constexpr const char* kNo = "NO";
inline constexpr const char* kConversionRange = "Conversion Range";
inline constexpr const char* kAll = "All";
inline constexpr const char* kPageNumbersWord = "Page Numbers";
inline constexpr const char* kOutputSummary = "Output Summary";
inline constexpr const char* kSummarySource = "Source File Path:";
inline constexpr const char* kSummaryOutput = "Output File Path:";
inline constexpr const char* kSummaryFormat = "Output Format:";
inline constexpr const char* kSummaryRange = "Page range to convert:";
inline constexpr const char* kSummaryLayout = "Layout Selected:";
inline constexpr const char* kSummaryFilter = "Image Filter:";
inline constexpr const char* kSummaryPreserve = "Preserve Character Spacing:";
inline constexpr const char* kSummaryOcr = "Recognise Scanned Text:";
inline constexpr const char* kOutputFormatTitle = "Output Format";
inline constexpr const char* kSelectImageFormat = "Select the file format for the extracted images.";
inline constexpr const char* kSpecifyFolder = "Specify the destination folder to save the extracted images.";
inline constexpr const char* kImagesSavedAt = "Images to be saved at:";
inline constexpr const char* kRangeExplanation =
    "This option allows you to convert all pages or specified pages of PDF file. To specify pages to be "
    "converted, use commas (,) and dash (-) only between page numbers. E.g. 1, 3, 7, 10-15";
inline constexpr const char* kAllImagesExplanation =
    "Choose this option if you want to extract all images from the document.";
inline constexpr const char* kSummaryImageRange = "Page Range for Image(s) Extraction:";
inline constexpr const char* kSummaryImageFormat = "Final Image Format:";
inline constexpr const char* kSummaryImageFolder = "Destination Folder:";
inline constexpr const char* kSameAsDocument = "Same as in the document";
inline constexpr const char* kFolderMissingCreate = "The folder %1 does not exist. Do you want to create it?";
inline constexpr const char* kFolderUnusable = "Images cannot be saved at %1: choose an existing folder you can write to.";

// Main panel.
inline constexpr const char* kPanelTitle = "Convert PDF to Word/Rtf";
inline constexpr const char* kPanelHint = "You can add more than one file at a time for conversion";
inline constexpr const char* kColumnPath = "Path";
inline constexpr const char* kColumnSize = "Size";
inline constexpr const char* kColumnPages = "Pages";
inline constexpr const char* kAddFiles = "Add PDF Files";
inline constexpr const char* kRemove = "Remove";
inline constexpr const char* kRemoveAll = "Remove All";
inline constexpr const char* kSaveTo = "Save File(s) to:";
inline constexpr const char* kSaveToHint = "Select destination folder for the output file(s).";
inline constexpr const char* kBrowse = "Browse";
inline constexpr const char* kBrowseTitle = "Browse For Folder:";
inline constexpr const char* kPageRange = "Page Range";
inline constexpr const char* kAllPages = "All Pages";
inline constexpr const char* kPageNumbers = "Page Numbers:";
inline constexpr const char* kOutputFormat = "Output File Format";
inline constexpr const char* kFormatRtf = "Rich Text Format(*.rtf)";
inline constexpr const char* kFormatDoc = "Word DOC file (*.doc)";
inline constexpr const char* kFormatDocx = "Word DOCX file (*.docx)";
inline constexpr const char* kFormatOdt = "OpenDocument text (*.odt)";
inline constexpr const char* kMethods = "Conversion Methods";
inline constexpr const char* kWizardMethod = "Wizard Conversion";
inline constexpr const char* kFastMethod = "Fast Conversion";
inline constexpr const char* kFileFilter = "pdf Files (*.pdf);;All Files (*)";
inline constexpr const char* kByteSuffix = " Byte";
inline constexpr const char* kNoPageNumber = "Please Input Page Number!";
inline constexpr const char* kNoFile = "Please Add a PDF file!";
inline constexpr const char* kNoSavePath = "Please Input the saved path!";
inline constexpr const char* kFileExists = "Convert PDF File existing.";
inline constexpr const char* kWarning = "Warning";
inline constexpr const char* kNoPdf = "No PDF file!";
inline constexpr const char* kSelectToRemove = "Please Select a deleted PDF file!";
inline constexpr const char* kPageListSelectsNothing = "The page numbers select no page of the listed files.";
inline constexpr const char* kSameResultName =
    "Two files would write the same result: %1. Remove one of them or convert them separately.";
inline constexpr const char* kOutputFolderProblem = "The output folder cannot be used: %1";
inline constexpr const char* kNoWordProcessor =
    "DOC, DOCX and ODT output need LibreOffice, which is not installed. Install the writer (soffice) or "
    "choose Rich Text Format.";
inline constexpr const char* kNotReadable = "%1 cannot be opened: %2";
inline constexpr const char* kNotReadableHint = "These files stay in the list, but they cannot be converted.";
inline constexpr const char* kUnreadableNote = "unreadable";

// Password prompt.
inline constexpr const char* kPasswordCaption = "Password Required";
inline constexpr const char* kPasswordText =
    "The program has detected that File is password protected. Please enter the password for the conversion.";
inline constexpr const char* kPasswordLabel = "Enter Password:";
inline constexpr const char* kWrongPassword = "The password does not open %1.";
inline constexpr const char* kRetry = "Retry";
inline constexpr const char* kSkip = "Skip";
inline constexpr const char* kOk = "OK";
inline constexpr const char* kCancel = "Cancel";

// Progress page.
inline constexpr const char* kProgressTitle = "Conversion Progress";
inline constexpr const char* kGeneral = "General";
inline constexpr const char* kColumnFileName = "File Name";
inline constexpr const char* kColumnDestination = "Destination";
inline constexpr const char* kColumnStatus = "Status";
inline constexpr const char* kColumnDetails = "Reason / Notes";
inline constexpr const char* kConverting = "Converting...";
inline constexpr const char* kSuccess = "Success";
inline constexpr const char* kFailed = "Failed";
inline constexpr const char* kSkipped = "Skipped";
inline constexpr const char* kCancelling = "Cancelling...";
inline constexpr const char* kCancelled = "Cancelled";
inline constexpr const char* kSavingAs = "Saving as %1...";
inline constexpr const char* kCancelQuestion = "Do you want to cancel conversion Process?";
inline constexpr const char* kReplaceQuestion = "%1 already exists. Do you want to replace it?";

// Result dialogs.
inline constexpr const char* kResultCaption = "Vellumor 5.0";
inline constexpr const char* kComplete = "Document Generation complete.";
inline constexpr const char* kCompletes = "Conversion Completes!";
inline constexpr const char* kConvertedCount = "%1 of %2 converted.";
inline constexpr const char* kSkippedCount = "%1 skipped.";
inline constexpr const char* kFailedCount = "%1 failed.";
inline constexpr const char* kNotConvertedCount = "%1 not converted (cancelled).";
inline constexpr const char* kSkippedLine = "skipped: %1";
inline constexpr const char* kNotConvertedLine = "not converted: the conversion was cancelled";
inline constexpr const char* kConvertedLine = "converted";
inline constexpr const char* kCancelledHeading = "Conversion cancelled.";
inline constexpr const char* kSomeFailedHeading = "Conversion finished with failures: %1 of %2 files failed.";
inline constexpr const char* kAllFailedHeading = "Conversion failed: no file was converted.";
inline constexpr const char* kPicturesSaved = "%1 pictures were saved in %2.";
inline constexpr const char* kOnePictureSaved = "1 picture was saved in %1.";
inline constexpr const char* kUnableToOpen = "Unable to open hyperlink:\n\n%1\n\nNo program of this desktop opens it.";
inline constexpr const char* kManualMissing = "The manual is not installed: help/index.html was not found beside Vellumor.";
inline constexpr const char* kFailureLine = "%1: %2";
inline constexpr const char* kOpenFile = "Open File";
inline constexpr const char* kOpenFolder = "Open Folder";
inline constexpr const char* kCloseButton = "Close";
inline constexpr const char* kChooseFile = "please choose one file !";
inline constexpr const char* kError = "ERROR";

}  // namespace ui::text
