// The German texts the tests expect, each defined once, as CP1252 bytes
// (escaped, so they do not depend on the compiler's execution character
// set). One-off ASCII pieces of a single test stay in that test, and so do
// the menu listing and the string-table rows the resources test encodes on
// its own.
#pragma once

namespace kvt::test::text {

// The library's messages (its string table).
inline constexpr char kMessageCaption[] = "Diagnose";
inline constexpr char kMenuTitle[] = "Diagnose ausf\xFChren";
inline constexpr char kCommFailure[] = "Kommunikation mit dem Sensor nicht in Ordnung !";
inline constexpr char kWrongAnswer[] = "Falscher Betriebsmode (NACK-Telegramm) oder falsches Antwortelegramm erhalten!";
inline constexpr char kNoError[] = "Kein Fehler eingetragen";
inline constexpr char kReset[] = "Sensor wird zur\xFC" "ckgesetzt!";
inline constexpr char kModeDone[] = "Betriebsmoduswechsel ist erfolgt.";
inline constexpr char kModeNot[] = "Betriebsmoduswechsel konnte NICHT durchgef\xFChrt werden.";
inline constexpr char kPasswordOk[] = "Passwort ist in Ordnung.";
inline constexpr char kPasswordNot[] = "Passwort ist nicht korrekt.";
inline constexpr char kResetDone[] = "R\xFC" "cksetzen des Passwortes ist erfolgt.";
inline constexpr char kResetNot[] = "R\xFC" "cksetzen des Passwortes ist nicht erfolgt.";
inline constexpr char kBaudDone[] = "Baudratenwechsel ist erfolgt.";
inline constexpr char kBaudNot[] = "Baudratenwechsel konnte NICHT durchgef\xFChrt werden.";
inline constexpr char kEvaluationsAccepted[] = "Anzahl der Mehrfachauswertungen wurde \xFC" "bernommen.";
inline constexpr char kAddressAccepted[] = "Neue Ger\xE4teadresse wurde \xFC" "bernommen.";
inline constexpr char kAddressRefused[] = "Neue Ger\xE4teadresse wurde NICHT \xFC" "bernommen.";
inline constexpr char kSettingStored[] = "Einstellung wurde dauerhaft im EEPROM gespeichert.";
inline constexpr char kSettingNotStored[] = "Einstellung wurde NICHT gespeichert.";
inline constexpr char kStopThresholdAccepted[] = "Stopschwelle wurde \xFC" "bernommen.";
inline constexpr char kStopThresholdRefused[] = "Stopschwelle wurde NICHT \xFC" "bernommen.";
inline constexpr char kStartUpTestStarted[] = "Anlauftest wurde gestartet.";
inline constexpr char kStartUpTestNotStarted[] = "Anlauftest konnte NICHT gestartet werden.";
inline constexpr char kFieldSetAccepted[] = "Feldsatzauswahl wurde \xFC" "bernommen.";
inline constexpr char kFieldSetRefused[] = "Feldsatzauswahl wurde NICHT \xFC" "bernommen.";
inline constexpr char kFieldsVolatile[] = "\nFelder werden aus dem FL\xDC" "CHTIGEN Speicher ausgewertet.";
inline constexpr char kFieldsNonVolatile[] = "\nFelder werden aus dem NICHTFL\xDC" "CHTIGEN Speicher ausgewertet.";
inline constexpr char kLaserAccepted[] = "Schaltbefehl f\xFCr den Laser wurde \xFC" "bernommen.";
inline constexpr char kLaserRefused[] = "Schaltbefehl f\xFCr den Laser wurde NICHT \xFC" "bernommen.";
inline constexpr char kLaserOn[] = "\nDer Laser ist eingeschaltet.";
inline constexpr char kLaserOff[] = "\nDer Laser ist ausgeschaltet.";
inline constexpr char kAddressLineKvt[] = "\nBei der Kommunikation benutzte Adresse %3u  mit Zielger\xE4t  KVT.\n\n";
inline constexpr char kAddressLinePxd[] = "\nBei der Kommunikation benutzte Adresse %3u  mit Zielger\xE4t  PXD.\n\n";
inline constexpr char kAddressLineKvtQ1[] =
    "\nBei der Kommunikation benutzte Adresse %3u  mit Zielger\xE4t  KVT-Q1.\n\n";
inline constexpr char kCountFormat[] = "Anzahl der Messwerte: %3d.\n";
inline constexpr char kUnitCm[] = "Einheit der Messwerte ist cm.\n";
inline constexpr char kUnitMm[] = "Einheit der Messwerte ist mm.\n";
inline constexpr char kUnit10cm[] = "Einheit der Messwerte ist 10 cm.\n";
inline constexpr char kEvaluationsRange[] = "Eingabe muss zwischen 2 und 16 liegen!";
inline constexpr char kRestartRange[] = "Eingabe muss zwischen 2 und 60 Sekunden  liegen!";
inline constexpr char kAveragesRange[] = "Eingabe muss zwischen 1 und 250  liegen!";
inline constexpr char kSegmentChoice[] = "Eingabe kann 9, 10, 15, 18, 30, 45, 90 oder 180 sein!";
inline constexpr char kRangeOrder[] =
    "Erster Messwert muss kleiner oder gleich dem letzten Messwert sein; und den Wert 401 nicht "
    "\xFC" "berschreiten.";
inline constexpr char kSensorAddressRange[] = "Ger\xE4teadresse  muss zwischen 0 und 127 liegen!";
inline constexpr char kAddressRange[] = "Adresse muss zwischen 0 und 127  liegen!";
inline constexpr char kKvtNumberRange[] = "KVT-Nummer muss zwischen 1 und 4  liegen!";
inline constexpr char kEvaluationCaseRange[] = "\xDCWF-Nummer muss zwischen 1 und 10  liegen!";
inline constexpr char kFieldNumberRange[] = "Feldnummer muss zwischen 1 und 4 liegen.";
inline constexpr char kSpeedIndexRange[] = "INDEX  muss zwischen 0 und 30  liegen! Standardwert wird \xFC" "bertragen.";
inline constexpr char kCalibrationNumberWrong[] = "Falsche Eingabe f\xFCr Abgleichnummer.";
inline constexpr char kWrongInputDefault[] = "Falsche Eingabe, Vorgabewert wird benutzt.";
inline constexpr char kOutputImplausible[] = "Nicht plausible Werte f\xFCr den Ausgang.";
inline constexpr char kVariantImplausible[] =
    "Nicht plausible Werte f\xFCr die KVT-Variante. Standardwerte werden \xFC" "bertragen.";
inline constexpr char kReferenceRangeWrong[] = "Falscher Referenzwertbereich; g\xFCltiger Bereich 0 bis 3.";
inline constexpr char kCalibrationDone[] = "Abgleich durchgef\xFChrt.";
inline constexpr char kCalibrationNotDone[] = "Abgleich konnte NICHT durchgef\xFChrt werden.";
inline constexpr char kPowerOns[] = "Anzahl Einschaltvorg\xE4nge: ";
inline constexpr char kNavigationTaken[] = "Daten \xFC" "bernommen\n";
inline constexpr char kNotNavigating[] = "Daten nicht \xFC" "bernommen, da nicht im Navigationsmodus\n";
inline constexpr char kRayResolution100[] = "Aufl\xF6sung des Strahldefinition: 100\n";
inline constexpr char kFieldTakenOver[] = "Felddaten erhalten und \xFC" "bernommen!\n";
inline constexpr char kFieldAborted[] = "Konfiguration von FeldA abgebrochen.\n";
inline constexpr char kRectangularField[] = "\xDC" "berwachungsbereich: Rechteckiger \xDC" "berwachungsbereich\n ";
inline constexpr char kRadialField[] = "\xDC" "berwachungsbereich: Radialer \xDC" "berwachungsbereich\n ";
inline constexpr char kSegmentedField[] = "\xDC" "berwachungsbereich: Segmentierter \xDC" "berwachungsbereich\n";
inline constexpr char kTaughtField[] = "\xDC" "berwachungsbereich: Eingelerntes Feld\n ";
inline constexpr char kValidEntries[] = "Anzahl g\xFCltiger Tabelleneintr\xE4ge [1-10]:";
inline constexpr char kSegmentsAtMost400[] = "Segmentanzahl darf h\xF6" "chstens 400 sein.";
inline constexpr char kConfigurationAccepted[] = "Konifguration erfolgreich \xFC" "bernommen.";
inline constexpr char kConfigurationAborted[] = "Konfiguration abgebrochen.";
inline constexpr char kDefinitionAccepted[] = "Definition \xFC" "bernommen.";
inline constexpr char kDefinitionRefused[] = "Definition wurde NICHT \xFC" "bernommen.";
inline constexpr char kFinalTestHeading[] = "Endpr\xFC" "fdaten Aktion:";
inline constexpr char kFinalTestTitleLine[] = "Endpr\xFC" "fdaten:\n\n";
// The interface unit's definitions.
inline constexpr char kCaseAborted[] = "\xDCWF-Definition abgebrochen.";
inline constexpr char kPxdConfigTitle[] = "PXD-Konfiguration eingeben";
inline constexpr char kCaseDefinitionTitle[] = "\xDCWF-Definition  eingeben";

// The library's dialogs: titles, buttons and labels.
inline constexpr char kCancelButton[] = "Abbrechen";
inline constexpr char kDeviceDialogTitle[] = "Device und Kommunikationsadresse";
inline constexpr char kTypeKvt90[] = "KVT 90\xB0/0.5\xB0";
inline constexpr char kInfoDialogTitle[] = "Eingabe von Zusatzinfo in die Ergebnisliste";
inline constexpr char kStopThresholdTitle[] = "Eingabe Stopschwelle in mV";
inline constexpr char kCalibrationNumberTitle[] = "Eingabe der Nummer f\xFCr Abgleich in Endpr\xFC" "fung";
inline constexpr char kEvaluationCaseTitle[] = "Eingabe \xDCWF-Nummer";
inline constexpr char kEvaluationCaseLabel[] = "\xDCWF-Nummer [1-10]:";
inline constexpr char kKvtNumberTitle[] = "Eingabe KVT-Nummer";
inline constexpr char kKvtFieldTitle[] = "Eingabe KVT und Feldnummer";
inline constexpr char kSensorAddressTitle[] = "Eingabe der Ger\xE4teadresse";
inline constexpr char kSensorAddressLabel[] = "Eingabe der Ger\xE4teadresse:";
inline constexpr char kReferenceRangeTitle[] = "Eingabe Nummer f\xFCr Bereich der Referenzwerte";
inline constexpr char kReferenceRangeLabel[] = "Nummer f\xFCr Referenzbereich [0-3]:";
inline constexpr char kRestartLabel[] = "Zeit  f\xFCr Wiederanlauf in Sekunden:";
inline constexpr char kEvaluationsLabel[] =
    "Anzahl der Mehrfachauswertungen:\nMultipliziert mit der Umdrehungsdauer\n  ergibt sich die "
    "Ansprechzeit.";
inline constexpr char kScanAngleLabel[] = "Scanwinkel [1\xB0]:";
inline constexpr char kSingleShotLabel[] = "Einzelschu\xDF [0,01\xB0]:";
inline constexpr char kMemoryDumpTitle[] = "Speicherauszug: Eingabe von Anfangsadresse und Anzahl der Bytes";
inline constexpr char kAveragesTitle[] = "Anzahl der Mittelungen ";
inline constexpr char kAveragesLabel[] = "Anzahl der  Mittelungen zwischen 1 und 250:";
inline constexpr char kActiveSensorLabel[] = "Aktiver KVT f\xFCr Messwerte(nur bei PXD):";
inline constexpr char kSegmentSensorLabel[] = "Aktiver KVT f\xFCr Messwerte:";
inline constexpr char kSegmentCountTitle[] = "Anzahl der Messwerte ";
inline constexpr char kPartialTitle[] = "Messwertteilbereich anfordern";
inline constexpr char kPartialModeTitle[] = "Betriebsmodus Messwertteilbereich";
inline constexpr char kAveragedPartialTitle[] = "Gemittellter Messwertteilbereich";
inline constexpr char kAveragedPartialModeTitle[] = "Gemittelte Messwerte - Teilbereich";
inline constexpr char kSegmentsModeTitle[] = "Messwert pro Segment - Teilbereich";
inline constexpr char kRangesTitle[] = "Parameter f\xFCr Bereiche mit Mess- und Remissionswerten";
inline constexpr char kPositionTitle[] = "Laserwinkel f\xFCr Positionierhilfe definieren";
inline constexpr char kShotResolutionLabel[] = "Einzelschussaufl\xF6sg.  [25,50,100]:";
inline constexpr char kLearnSensorLabel[] = "Aktiver KVT f\xFCr eingelernte Messwerte:";
inline constexpr char kLearnShotLabel[] = "Einzelschu\xDF:";
inline constexpr char kDynamicRectangleTitle[] = "Eingabe der Konfigurationsdaten f\xFCr dynamisches Rechteck";
inline constexpr char kDynamicSegmentedTitle[] = "Eingabe der Daten f\xFCr dynam. segmentiertes Feld";
inline constexpr char kValidEntriesLabel[] = "G\xFCltige\nTabelleneintr\xE4ge:";
inline constexpr char kCorrectionTitle[] = "Definiton der Parameter f\xFCr Messwertkorrektur";
inline constexpr char kFinalTestTitle[] = "Endpr\xFC" "fdaten lesen / schreiben";
inline constexpr char kFinalLengthLabel[] = "L\xE4nge der Daten in UINT:";
inline constexpr char kFinalDataLabel[] = "Endpr\xFC" "fdaten:";
inline constexpr char kOccupancyTitle[] = "Eingabe f\xFCr Belegtkontrolle";
inline constexpr char kConveyorTitle[] = "Definiton f\xFCr F\xF6rderbandbelegtkontrolle";
inline constexpr char kShellLengthLabel[] = "Schalenl\xE4nge in Fahrtrichtung [cm]:";
inline constexpr char kSensorConfigTitle[] = "KVT-Konfiguration eingeben";
inline constexpr char kSensorConfig2Title[] = "KVT-Konfiguration 2 eingeben";
inline constexpr char kUnitLabel[] = "Einheit der Me\xDFwerte:";
inline constexpr char kReferenceLabel[] = "Referenz (Mindestobjektgr\xF6\xDF" "e) [cm]:";
inline constexpr char kOffsetLabel[] = "Mehrfachauswertungsoffset f\xFCr Feldsatz 2";

// Report pieces the simulated driver's words make.
inline constexpr char kOlderScanLine[] =
    "\nScanbereich: \xD6" "ffnungswinkel 180,0\xB0, Winkelschritt 0,50\xB0, Messbereich 8000 cm, "
    "Mindestabstand 30 cm\n";
inline constexpr char kNewerScanEnd[] = "Mindestabstand 30 cm, 4 Felds\xE4tze, Messwertaufl\xF6sung 10 mm\n";
inline constexpr char kFieldSetsPiece[] = "Felds\xE4tze,";
inline constexpr char kOutput1Older[] = "\nAusgang 1: Schlie\xDF" "er\n";
inline constexpr char kOutput2Older[] = "\nAusgang 2: \xD6" "ffner\n";
inline constexpr char kOutput1Newer[] = "\nAusgang 1: Schlie\xDF" "er, schaltet bei Verletzung von Feld A\n";
inline constexpr char kOutput2Newer[] = "\nAusgang 2: \xD6" "ffner, schaltet bei Verletzung von Feld B\n";
inline constexpr char kMirrorUnknown[] = "\nSpiegeldrehzahl: --- (nicht berechenbar, Z\xE4hlwert 0)\n";
inline constexpr char kPxdNoSensors[] =
    "\nAktive Sensoreing\xE4nge: 1, 2\nKein Sensor angeschlossen.\nKein Sensor angeschlossen.\nKein "
    "Sensor angeschlossen.\nKein Sensor angeschlossen.\n";
inline constexpr char kPxdSensorSlots[] =
    "\nSensor: KVT Typ 3\nZustand: in Ordnung\nKein Sensor angeschlossen.\nKein Sensor "
    "angeschlossen.\nSensor: KVT-Q1 (Typ 6)\nZustand: Sensor antwortet verz\xF6gert\n";
inline constexpr char kCalibrationErased[] = "\nAbgleich: keine Abgleichdaten vorhanden (Speicher gel\xF6scht)\n";
inline constexpr char kCalibrationLocked[] =
    "\nAbgleich: Werks- und Winkelabgleich g\xFCltig, gegen \xC4nderung gesperrt\n";
inline constexpr char kTemperatureMinus5[] = "\nInnentemperatur: -5 \xB0" "C\n";
inline constexpr char kQ1VariantLine[] =
    "Programmversion: V03.02   Seriennummer: SN0502207\nGer\xE4tevariante: Q1-06\n";
inline constexpr char kShotDefault[] =
    "\n   Einzelschussaufl\xF6sung: 1\xB0\n   Anzahl der Bereiche: 1\n   Startwinkel: 90\xB0\n   Stoppwinkel: 90\xB0"
    "\n   Startwinkel: 0\xB0\n   Stoppwinkel: 0\xB0\n   Startwinkel: 0\xB0\n   Stoppwinkel: 0\xB0\n   ";
inline constexpr char kResolutionUnknown0[] =
    "\n   Aufl\xF6sung Counter 0:---, Counter 1: 13  [psec]  (--- nicht berechenbar: Eichwerte "
    "ung\xFCltig)\n";
inline constexpr char kErrorSupplyLow[] = "\n(12) Fehlerart: Warnung - Versorgungsspannung zu niedrig";
inline constexpr char kErrorMirrorSpeed[] =
    "\n(07) Fehlerart: Fehler - Drehzahl des Spiegels au\xDF" "erhalb der Toleranz";
inline constexpr char kErrorPxd75[] = "\n(75) Fehlerart: Fehler - Sensor an Eingang 2 antwortet verz\xF6gert";

// The simulated driver.
inline constexpr char kSetupDialogTitle[] = "Sensortreiber einrichten";
inline constexpr char kFailLoad[] = "Sensortreiber konnte nicht geladen werden (simulierter Fehler).";
inline constexpr char kFailOpen[] = "Schnittstelle konnte nicht ge\xF6" "ffnet werden (simulierter Fehler).";
inline constexpr char kFailClose[] = "Schnittstelle konnte nicht geschlossen werden (simulierter Fehler).";
inline constexpr char kFailFree[] = "Sensortreiber konnte nicht freigegeben werden (simulierter Fehler).";

// The simulated driver's error texts.
inline constexpr char kNotLoaded[] = "Sensortreiber ist nicht geladen (LoadSensor fehlt).";
inline constexpr char kNotOpen[] = "Verbindung zum Sensor ist nicht ge\xF6" "ffnet (OpenSensor fehlt).";
inline constexpr char kLoadedTwice[] = "Sensortreiber ist bereits geladen (FreeSensor fehlt).";
inline constexpr char kOpenTwice[] = "Verbindung zum Sensor ist bereits ge\xF6" "ffnet.";
inline constexpr char kStillOpen[] = "Verbindung zum Sensor ist noch ge\xF6" "ffnet (CloseSensor fehlt).";
inline constexpr char kNullRecord[] = "Ung\xFCltiger Telegrammpuffer (Nullzeiger).";
inline constexpr char kWrongHandle[] = "Ung\xFCltiges Sensor-Handle ";
inline constexpr char kBadVariable[] = "KVTIDRV_SIM: Wert 'nonsense' f\xFCr 'device' unbekannt (kvt, pxd, kvtq1, kvt90)";
inline constexpr char kNoAnswerFault[] = "Keine Antwort vom Sensor (simulierter Fehler, Telegramm 1).";
inline constexpr char kNoAnswerScripted[] = "Keine Antwort vom Sensor (vorgegebene Antwort, Telegramm 3).";
inline constexpr char kNoAnswerAtAddress0[] = "Keine Antwort vom Sensor unter Adresse 0.";

// The simulated driver's words.
inline constexpr char kAddress65535[] = "Ger\xE4teadresse: 65535";
inline constexpr char kTemperatureMinus128[] = "Innentemperatur: -128 \xB0" "C";
inline constexpr char kVariantFormatFilled[] = "Ger\xE4tevariante: V02.10";

// The simulated driver's setup dialog.
inline constexpr char kSetupAddressRange[] = "Die Adresse muss zwischen 0 und 127 liegen.";
inline constexpr char kSetupVariantRange[] = "Die Variante muss zwischen 0 und 9 liegen.";
inline constexpr char kSetupFaultsUnreadable[] = "Die Fehlerliste ist nicht lesbar.";
inline constexpr char kSetupLogSemicolon[] = "Der Dateiname des Protokolls darf kein Semikolon enthalten.";
inline constexpr char kSetupPasswordSetup[] =
    "Das Einrichtpasswort muss 1 bis 16 Zeichen lang sein, ohne Semikolon und ohne Leerzeichen am "
    "Anfang oder Ende.";
inline constexpr char kSetupPasswordSuper[] =
    "Das Superuserpasswort muss 1 bis 16 Zeichen lang sein, ohne Semikolon und ohne Leerzeichen am "
    "Anfang oder Ende.";
inline constexpr char kSetupPasswordService[] =
    "Das Instandhaltungspasswort muss 1 bis 16 Zeichen lang sein, ohne Semikolon und ohne Leerzeichen "
    "am Anfang oder Ende.";

// The dialog host with the test's own menus.
inline constexpr char kTestMenuTitle[] = "Pr\xFC" "fmen\xFC";
inline constexpr char kTestHeading[] = "\xDC" "berschrift Gr\xF6\xDF" "e";
inline constexpr char kTestHeading2[] = "Zweite \xDC" "berschrift";
inline constexpr char kTestFieldLine[] = "Feld f\xFCr Pr\xFC" "fung ";
inline constexpr char kTestPassword[] = "P\xE4sswort";
inline constexpr char kTestNote[] = "Zusatz f\xFCr Pr\xFC" "fung";
inline constexpr char kSaveFailed[] =
    "Die Ergebnisliste konnte nicht in die Datei \"C:\\kvt_gibt_es_nicht\\liste.txt\" geschrieben "
    "werden.";
inline constexpr char kClearQuestion[] =
    "Die Ergebnisliste enth\xE4lt Ergebnisse, die noch nicht gespeichert sind.\n\nListe trotzdem l\xF6schen?";
inline constexpr char kCloseQuestion[] =
    "Die Ergebnisliste enth\xE4lt Ergebnisse, die noch nicht gespeichert sind.\n\nFenster trotzdem schlie\xDF" "en?";
inline constexpr char kNoTrace[] = "Der Treiber f\xFChrt kein Telegrammprotokoll.";
inline constexpr char kMenuTruncated3[] =
    "Die Men\xFCressource \"TRUNCATED\" ist unvollst\xE4ndig: Eintrag 3 von 3 ist abgeschnitten.";
inline constexpr char kMenuNoZero[] =
    "Die Men\xFCressource \"NOZERO\" ist unvollst\xE4ndig: Eintrag 1 von 1 ist abgeschnitten.";
inline constexpr char kMenuShortHead[] =
    "Die Men\xFCressource \"SHORTHEAD\" ist unvollst\xE4ndig: Eintrag 2 von 2 ist abgeschnitten.";
inline constexpr char kMenuBadFlag[] =
    "Die Men\xFCressource \"BADFLAG\" ist fehlerhaft: Eintrag 1 hat das unbekannte Kennzeichen 2.";
inline constexpr char kMenuTrailing[] =
    "Die Men\xFCressource \"TRAILING\" ist fehlerhaft: Nach dem letzten Eintrag folgen noch 3 Bytes.";
inline constexpr char kMenuEmpty[] = "Die Men\xFCressource \"EMPTY\" enth\xE4lt keine Eintr\xE4ge.";
inline constexpr char kMenuOneByte[] =
    "Die Men\xFCressource \"ONEBYTE\" ist zu kurz: Es fehlt sogar die Anzahl der Eintr\xE4ge.";
inline constexpr char kMenuMissing[] = "Die Men\xFCressource \"GIBTESNICHT\" wurde nicht gefunden.";
inline constexpr char kMenuWithoutCommand[] =
    "Das Diagnosemen\xFC kann nicht ge\xF6" "ffnet werden: Es fehlt die Befehlsfunktion.";

// The host program's lines (printed as UTF-8).
inline constexpr char kHostDetected[] = "Erkannter Ger\xE4tetyp: KVT";
inline constexpr char kHostAddress0[] = "Ger\xE4teadresse: 0";
inline constexpr char kHostType[] = "Ger\xE4tetyp: KVT";
inline constexpr char kHostMenu[] = "Men\xFC: 119 Zeilen, 16 \xDC" "berschriften, 103 Befehle";
inline constexpr char kHostMenuFirst[] = "   Ger\xE4t und Adresse setzen";
inline constexpr char kHostMenuHeading[] = "== MODI F\xDCR MESSWERT\xDC" "BERTRAGUNG ==";
inline constexpr char kHostRunWithoutArgument[] = "Zeile 1: \"run\" braucht ein Argument: run MEN\xDCZEILE";
inline constexpr char kHostHeadingRefused[] =
    "Fehler in Zeile 4 (run): \"Lernmodusbefehle\" ist eine \xDC" "berschrift und l\xE4sst sich nicht "
    "ausf\xFChren.";
inline constexpr char kHostNoMenu[] = "Fehler in Zeile 3 (menu): Das Diagnosemen\xFC ist nicht ge\xF6" "ffnet.";
inline constexpr char kHostTimeout[] = "Fehler in Zeile 4 (set): Zeit\xFC" "berschreitung nach 2 s.";
inline constexpr char kHostRunning[] = "Ausf\xFChren: Reset u. Initialisierung";
inline constexpr char kHostAddress5[] = "Ger\xE4teadresse: 5";
inline constexpr char kHostAddress200[] = "Ger\xE4teadresse: 200";
inline constexpr char kHostTypePxd[] = "Ger\xE4tetyp: PXD";
inline constexpr char kHostNoSuchLine[] = "Fehler in Zeile 4 (run): Die Men\xFCzeile \"Gibt es nicht\" gibt es nicht.";

// The program download.
inline constexpr char kFileError[] = "Error on file handling";
inline constexpr char kDownloadDone[] = "Download in Flash-Eprom war erfolgreich.";
inline constexpr char kProgressTitle[] = "Programmdownload";

// The version resources.
inline constexpr char kDriverDescription[] = "KVT-Sensortreiber mit simulierten Ger\xE4ten";

}  // namespace kvt::test::text
