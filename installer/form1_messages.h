#pragma once
// The items of the installer window's message lexicon (Lexicon1 in
// resources/form1.json), by name. The design lists the texts in this order;
// translations are stored by number, so an item never changes its number.

enum TForm1Message {
    fmDescription = 0,          // what the installer does, shown in the top text
    fmNeedsAdmin = 1,           // warning when not run as an administrator
    fmSetupError = 2,           // caption of the error boxes
    fmNoConnection = 3,         // the Internet connection does not work
    fmConnectionError = 4,      // caption of that box
    fmDownloading = 5,          // status while a package downloads
    fmWithMessage = 6,          // joins an error's kind and its message
    fmDownloadFailed = 7,       // ends a download error's text
    fmError = 8,                // caption of a download error
    fmInstalling = 9,           // status while a package installer runs
    fmNetFailed = 10,
    fmNativeClientFailed = 11,
    fmPrerequisiteMissing = 12, // step 2 before step 1 succeeded
    fmDatabasePresent = 13,
    fmInstallingDatabase = 14,
    fmLocalDBFailed = 15,
    fmLocalDBMissing = 16,      // step 3 without the database
    fmFinished = 17,            // status after the last step
    fmWindowsTooOld = 18,
    fmNotSuitable = 19,         // follows the Windows name in the list of findings
    fmComponentsPresent = 20,
    fmDatabaseInstaller = 21,   // the database package's name in a status
    fmProductName = 22,         // the application's name in a status
    // 23 is empty and unused.
    fmNoInstallers = 24,        // the means to run installers (Wine) is missing
    fmNoInstallersStatus = 25,
    fmPreparingSystem = 26,     // status while a new Wine prefix is made
    fmPreparationFailed = 27,
    fmRestartRequired = 28,     // a component installer asked for a restart
    fmServerNotAnswering = 29,  // no connection reported and the server tried did not answer
    fmPackagesFromServer = 30,  // status line: where packages come from
    fmPackagesFromFolder = 31,
    fmLogFile = 32,             // "log" before the log's path
    fmRunCancelled = 33,        // end states of an unattended run
    fmRunFailed = 34,
    fmNothingToDo = 35,
    fmLayoutDone = 36,
    fmFileDiffers = 37,         // a file of the offline folder is not the one its manifest lists
};
