// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The object names of the windows and controls: the code that names them and
// the tests that find them both use these, so a control renamed in one place
// cannot be lost by the other. Nothing is stored under these names; labels,
// frames and separators that nothing looks up go unnamed.

namespace dv::id {

// Windows.
inline constexpr const char *clockWindow = "clockWindow";
inline constexpr const char *settingsDialog = "settingsDialog";
inline constexpr const char *alarmWindow = "alarmWindow";
inline constexpr const char *slideshowDialog = "slideshowDialog";
inline constexpr const char *aboutBox = "aboutBox";
inline constexpr const char *sizeDialog = "sizeDialog";
inline constexpr const char *chimeDialog = "chimeDialog";
inline constexpr const char *alarmDialog = "alarmDialog";

// Every dialog's own OK and cancel buttons.
inline constexpr const char *okButton = "okButton";
inline constexpr const char *cancelButton = "cancelButton";

// The settings dialog.
inline constexpr const char *facePicture = "facePicture";
inline constexpr const char *facePictureBrowse = "facePictureBrowse";
inline constexpr const char *slideshowOn = "slideshowOn";
inline constexpr const char *slideshowButton = "slideshowButton";
inline constexpr const char *freeSize = "freeSize";
inline constexpr const char *sizeButton = "sizeButton";
inline constexpr const char *topMost = "topMost";
inline constexpr const char *drawSecond = "drawSecond";
inline constexpr const char *handShadows = "handShadows";
inline constexpr const char *drawMarks = "drawMarks";
inline constexpr const char *frameRing = "frameRing";
inline constexpr const char *hideUnderPointer = "hideUnderPointer";
inline constexpr const char *romanNumerals = "romanNumerals";
inline constexpr const char *transparentBoard = "transparentBoard";
inline constexpr const char *timeSignal = "timeSignal";
inline constexpr const char *chimeButton = "chimeButton";
// The colour swatches and their chooser buttons, in the dialog's order.
inline constexpr const char *hourColour = "hourColour";
inline constexpr const char *hourColourPick = "hourColourPick";
inline constexpr const char *minuteColour = "minuteColour";
inline constexpr const char *minuteColourPick = "minuteColourPick";
inline constexpr const char *secondColour = "secondColour";
inline constexpr const char *secondColourPick = "secondColourPick";
inline constexpr const char *marksColour = "marksColour";
inline constexpr const char *marksColourPick = "marksColourPick";
inline constexpr const char *boardColour = "boardColour";
inline constexpr const char *boardColourPick = "boardColourPick";
inline constexpr const char *frameRingColour = "frameRingColour";
inline constexpr const char *frameRingColourPick = "frameRingColourPick";
// The three alarm rows.
inline constexpr const char *alarmDetail1 = "alarmDetail1";
inline constexpr const char *alarmDetail2 = "alarmDetail2";
inline constexpr const char *alarmDetail3 = "alarmDetail3";
inline constexpr const char *alarmTime1 = "alarmTime1";
inline constexpr const char *alarmTime2 = "alarmTime2";
inline constexpr const char *alarmTime3 = "alarmTime3";
inline constexpr const char *alarmSound1 = "alarmSound1";
inline constexpr const char *alarmSound2 = "alarmSound2";
inline constexpr const char *alarmSound3 = "alarmSound3";
inline constexpr const char *alarmSoundBrowse1 = "alarmSoundBrowse1";
inline constexpr const char *alarmSoundBrowse2 = "alarmSoundBrowse2";
inline constexpr const char *alarmSoundBrowse3 = "alarmSoundBrowse3";
inline constexpr const char *alarmMessage1 = "alarmMessage1";
inline constexpr const char *alarmMessage2 = "alarmMessage2";
inline constexpr const char *alarmMessage3 = "alarmMessage3";
inline constexpr const char *shutdownTime = "shutdownTime";
inline constexpr const char *mustShutDown = "mustShutDown";
inline constexpr const char *aboutButton = "aboutButton";
inline constexpr const char *startAtLogin = "startAtLogin";
inline constexpr const char *quitButton = "quitButton";

// The slideshow dialog.
inline constexpr const char *slideshowFolder = "slideshowFolder";
inline constexpr const char *folderTree = "folderTree";
inline constexpr const char *slideInterval = "slideInterval";
inline constexpr const char *slideIntervals = "slideIntervals";
inline constexpr const char *formatBmp = "formatBmp";
inline constexpr const char *formatGif = "formatGif";
inline constexpr const char *formatJpeg = "formatJpeg";
inline constexpr const char *formatRle = "formatRle";
inline constexpr const char *formatDib = "formatDib";
inline constexpr const char *formatIco = "formatIco";
inline constexpr const char *formatPng = "formatPng";
inline constexpr const char *formatWebp = "formatWebp";

// The size dialog.
inline constexpr const char *clockSize = "clockSize";
inline constexpr const char *clockSizes = "clockSizes";

// The time signal dialog.
inline constexpr const char *hourChimeFile = "hourChimeFile";
inline constexpr const char *hourChimeBrowse = "hourChimeBrowse";
inline constexpr const char *halfHourChime = "halfHourChime";
inline constexpr const char *halfHourChimeFile = "halfHourChimeFile";
inline constexpr const char *halfHourChimeBrowse = "halfHourChimeBrowse";

// The alarm's stop window.
inline constexpr const char *alarmText = "alarmText";
inline constexpr const char *stopButton = "stopButton";
inline constexpr const char *snoozeButton = "snoozeButton";

// The about box.
inline constexpr const char *aboutSubtitle = "aboutSubtitle";
inline constexpr const char *aboutName = "aboutName";
inline constexpr const char *aboutDate = "aboutDate";
inline constexpr const char *aboutCopyright = "aboutCopyright";
inline constexpr const char *aboutLicence = "aboutLicence";
inline constexpr const char *aboutWarranty = "aboutWarranty";

// The clock's menu.
inline constexpr const char *settingsAction = "settingsAction";
inline constexpr const char *helpAction = "helpAction";
inline constexpr const char *aboutAction = "aboutAction";
inline constexpr const char *dateTimeAction = "dateTimeAction";
inline constexpr const char *placeAction = "placeAction";
inline constexpr const char *placeFree = "placeFree";
inline constexpr const char *placeTopLeft = "placeTopLeft";
inline constexpr const char *placeBottomLeft = "placeBottomLeft";
inline constexpr const char *placeTopRight = "placeTopRight";
inline constexpr const char *placeBottomRight = "placeBottomRight";
inline constexpr const char *quitAction = "quitAction";

// The alarm dialog: the days' boxes Monday first (alarmDay1 ... alarmDay7).
inline constexpr const char *alarmDay = "alarmDay";
inline constexpr const char *alarmOnce = "alarmOnce";
inline constexpr const char *alarmSnooze = "alarmSnooze";
inline constexpr const char *alarmRingMinutes = "alarmRingMinutes";
inline constexpr const char *alarmVolume = "alarmVolume";
inline constexpr const char *alarmFadeIn = "alarmFadeIn";
inline constexpr const char *alarmTrial = "alarmTrial";
inline constexpr const char *alarmWake = "alarmWake";
inline constexpr const char *alarmWakeState = "alarmWakeState"; // why wake is unavailable
inline constexpr const char *alarmSkipHolidays = "alarmSkipHolidays";
inline constexpr const char *daysOff = "daysOff";
inline constexpr const char *alarmRestNote = "alarmRestNote"; // the rest days its next ring passes over

} // namespace dv::id
