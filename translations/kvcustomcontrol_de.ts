<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>KvCc::ColorComboBox</name>
    <message>
        <source>Select Color...</source>
        <translation>Farbe wählen...</translation>
    </message>
    <message>
        <source>Red</source>
        <translation>Rot</translation>
    </message>
    <message>
        <source>Yellow</source>
        <translation>Gelb</translation>
    </message>
    <message>
        <source>Green</source>
        <translation>Grün</translation>
    </message>
    <message>
        <source>Cyan</source>
        <translation>Cyan</translation>
    </message>
    <message>
        <source>Blue</source>
        <translation>Blau</translation>
    </message>
    <message>
        <source>Magenta</source>
        <translation>Magenta</translation>
    </message>
    <message>
        <source>White</source>
        <translation>Weiß</translation>
    </message>
    <message>
        <source>Select Color</source>
        <translation>Farbe wählen</translation>
    </message>
</context>
<context>
    <name>KvCc::CustomControl</name>
    <message>
        <source>customControl</source>
        <extracomment>A name for code, never shown: keep it as it is.</extracomment>
        <translation>customControl</translation>
    </message>
</context>
<context>
    <name>KvCc::DialogHelp</name>
    <message>
        <source>help</source>
        <translation>Hilfe</translation>
    </message>
    <message>
        <source>Vantor help  doc!</source>
        <translation>Vantor-Hilfe!</translation>
    </message>
</context>
<context>
    <name>KvCc::LayerDelegate</name>
    <message>
        <source>The current layer is turned off.</source>
        <translation>Der aktuelle Layer wird ausgeschaltet.</translation>
    </message>
    <message>
        <source>The current layer can&apos;t be frozen!</source>
        <translation>Der aktuelle Layer kann nicht gefroren werden!</translation>
    </message>
</context>
<context>
    <name>KvCc::LayerEdit</name>
    <message>
        <source>Current layer: %1</source>
        <translation>Aktueller Layer: %1</translation>
    </message>
</context>
<context>
    <name>KvCc::LayerItem</name>
    <message>
        <source>Color of %1</source>
        <translation>Farbe von %1</translation>
    </message>
</context>
<context>
    <name>KvCc::LayerLineTypeDialog</name>
    <message>
        <source>LineType</source>
        <translation>Linientyp</translation>
    </message>
    <message>
        <source>Appearance</source>
        <translation>Darstellung</translation>
    </message>
    <message>
        <source>Description</source>
        <translation>Beschreibung</translation>
    </message>
    <message>
        <source>Solid Line</source>
        <translation>Volllinie</translation>
    </message>
</context>
<context>
    <name>KvCc::LayerManager</name>
    <message>
        <source>Layer Manager</source>
        <translation>Layer-Manager</translation>
    </message>
    <message>
        <source>Current layer: %1</source>
        <translation>Aktueller Layer: %1</translation>
    </message>
    <message>
        <source>Layer States</source>
        <translation>Layerstatus</translation>
    </message>
</context>
<context>
    <name>KvCc::LayerState</name>
    <message>
        <source>Layer %1 could not be read.</source>
        <translation>Layer %1 konnte nicht gelesen werden.</translation>
    </message>
    <message>
        <source>Layer %1 is current and cannot be frozen.</source>
        <translation>Layer %1 ist aktuell und kann nicht gefroren werden.</translation>
    </message>
    <message>
        <source>Linetype %1 of layer %2 is not in the drawing.</source>
        <translation>Der Linientyp %1 von Layer %2 ist nicht in der Zeichnung.</translation>
    </message>
    <message>
        <source>Layer %1 could not be changed.</source>
        <translation>Layer %1 konnte nicht geändert werden.</translation>
    </message>
    <message>
        <source>The drawing refused a change to layer %1.</source>
        <translation>Die Zeichnung hat eine Änderung an Layer %1 abgelehnt.</translation>
    </message>
    <message>
        <source>Layer %1 could not be made current.</source>
        <translation>Layer %1 konnte nicht aktuell gesetzt werden.</translation>
    </message>
    <message>
        <source>The entry %1 is missing or not valid.</source>
        <translation>Der Eintrag %1 fehlt oder ist ungültig.</translation>
    </message>
    <message>
        <source>The layer state holds more than %1 layers.</source>
        <translation>Der Layerstatus enthält mehr als %1 Layer.</translation>
    </message>
    <message>
        <source>The layer %1 is named twice.</source>
        <translation>Der Layer %1 ist doppelt genannt.</translation>
    </message>
    <message>
        <source>The file is too large for a layer state.</source>
        <translation>Die Datei ist für einen Layerstatus zu groß.</translation>
    </message>
    <message>
        <source>The file does not hold a layer state.</source>
        <translation>Die Datei enthält keinen Layerstatus.</translation>
    </message>
    <message>
        <source>The layer state is of a format version this program cannot read.</source>
        <translation>Der Layerstatus hat eine Formatversion, die dieses Programm nicht lesen kann.</translation>
    </message>
</context>
<context>
    <name>KvCc::LayerStateStore</name>
    <message>
        <source>A layer state needs a name.</source>
        <translation>Ein Layerstatus braucht einen Namen.</translation>
    </message>
    <message>
        <source>There is no layer state %1.</source>
        <translation>Es gibt keinen Layerstatus %1.</translation>
    </message>
    <message>
        <source>A layer state named %1 exists already.</source>
        <translation>Ein Layerstatus namens %1 existiert bereits.</translation>
    </message>
</context>
<context>
    <name>KvCc::LayerStatesDialog</name>
    <message>
        <source>Layer state files (*.json)</source>
        <translation>Layerstatus-Dateien (*.json)</translation>
    </message>
    <message>
        <source>Name:</source>
        <translation>Name:</translation>
    </message>
    <message>
        <source>Description:</source>
        <translation>Beschreibung:</translation>
    </message>
    <message>
        <source>A layer state needs a name.</source>
        <translation>Ein Layerstatus braucht einen Namen.</translation>
    </message>
    <message>
        <source>A layer state named %1 exists already. Replace it?</source>
        <translation>Ein Layerstatus namens %1 existiert bereits. Ersetzen?</translation>
    </message>
    <message>
        <source>New Layer State</source>
        <translation>Neuer Layerstatus</translation>
    </message>
    <message>
        <source>... and %1 more.</source>
        <translation>... und %1 weitere.</translation>
    </message>
    <message>
        <source>The layer state %1 was restored, but the drawing refused some changes:</source>
        <translation>Der Layerstatus %1 wurde wiederhergestellt, aber die Zeichnung hat einige Änderungen abgelehnt:</translation>
    </message>
    <message>
        <source>Rename Layer State</source>
        <translation>Layerstatus umbenennen</translation>
    </message>
    <message>
        <source>A layer state named %1 exists already.</source>
        <translation>Ein Layerstatus namens %1 existiert bereits.</translation>
    </message>
    <message>
        <source>Delete the layer state %1?</source>
        <translation>Den Layerstatus %1 löschen?</translation>
    </message>
    <message>
        <source>Export Layer State</source>
        <translation>Layerstatus exportieren</translation>
    </message>
    <message>
        <source>%1 is not a regular file.</source>
        <translation>%1 ist keine reguläre Datei.</translation>
    </message>
    <message>
        <source>The layer state could not be written to %1: %2</source>
        <translation>Der Layerstatus konnte nicht nach %1 geschrieben werden: %2</translation>
    </message>
    <message>
        <source>Import Layer State</source>
        <translation>Layerstatus importieren</translation>
    </message>
    <message>
        <source>%1 could not be read.</source>
        <translation>%1 konnte nicht gelesen werden.</translation>
    </message>
    <message>
        <source>%1 could not be imported: %2</source>
        <translation>%1 konnte nicht importiert werden: %2</translation>
    </message>
    <message>
        <source>There is no drawing whose layers could be saved.</source>
        <translation>Es gibt keine Zeichnung, deren Layer gespeichert werden könnten.</translation>
    </message>
</context>
<context>
    <name>KvCc::LayerTableWidget</name>
    <message>
        <source>frozenTable</source>
        <extracomment>A name for code, never shown: keep it as it is.</extracomment>
        <translation>frozenTable</translation>
    </message>
    <message>
        <source>layerManager</source>
        <extracomment>A name for code, never shown: keep it as it is.</extracomment>
        <translation>layerManager</translation>
    </message>
</context>
<context>
    <name>KvCc::LayerTexts</name>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>On</source>
        <translation>Ein</translation>
    </message>
    <message>
        <source>Freeze</source>
        <translation>Frieren</translation>
    </message>
    <message>
        <source>Lock</source>
        <translation>Sperren</translation>
    </message>
    <message>
        <source>Color</source>
        <translation>Farbe</translation>
    </message>
    <message>
        <source>Linetype</source>
        <translation>Linientyp</translation>
    </message>
    <message>
        <source>Lineweight</source>
        <translation>Linienstärke</translation>
    </message>
    <message>
        <source>Plot Style</source>
        <translation>Plotstil</translation>
    </message>
    <message>
        <source>Plot</source>
        <translation>Plotten</translation>
    </message>
    <message>
        <source>New Viewport Freeze</source>
        <translation>Neues AF frieren</translation>
    </message>
    <message>
        <source>VP Freeze</source>
        <translation>AF frieren</translation>
    </message>
    <message>
        <source>Description</source>
        <translation>Beschreibung</translation>
    </message>
    <message>
        <source>Current layer</source>
        <translation>Aktueller Layer</translation>
    </message>
    <message>
        <source>%1: current layer</source>
        <translation>%1: aktueller Layer</translation>
    </message>
    <message>
        <source>Not current</source>
        <translation>Nicht aktuell</translation>
    </message>
    <message>
        <source>%1: not current</source>
        <translation>%1: nicht aktuell</translation>
    </message>
    <message>
        <source>%1: on</source>
        <translation>%1: ein</translation>
    </message>
    <message>
        <source>Turn %1 off</source>
        <translation>%1 ausschalten</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>Aus</translation>
    </message>
    <message>
        <source>%1: off</source>
        <translation>%1: aus</translation>
    </message>
    <message>
        <source>Turn %1 on</source>
        <translation>%1 einschalten</translation>
    </message>
    <message>
        <source>Thawed</source>
        <translation>Getaut</translation>
    </message>
    <message>
        <source>%1: thawed</source>
        <translation>%1: getaut</translation>
    </message>
    <message>
        <source>Freeze %1</source>
        <translation>%1 frieren</translation>
    </message>
    <message>
        <source>Frozen</source>
        <translation>Gefroren</translation>
    </message>
    <message>
        <source>%1: frozen</source>
        <translation>%1: gefroren</translation>
    </message>
    <message>
        <source>Thaw %1</source>
        <translation>%1 tauen</translation>
    </message>
    <message>
        <source>Unlocked</source>
        <translation>Entsperrt</translation>
    </message>
    <message>
        <source>%1: unlocked</source>
        <translation>%1: entsperrt</translation>
    </message>
    <message>
        <source>Lock %1</source>
        <translation>%1 sperren</translation>
    </message>
    <message>
        <source>Locked</source>
        <translation>Gesperrt</translation>
    </message>
    <message>
        <source>%1: locked</source>
        <translation>%1: gesperrt</translation>
    </message>
    <message>
        <source>Unlock %1</source>
        <translation>%1 entsperren</translation>
    </message>
    <message>
        <source>Plotted</source>
        <translation>Wird geplottet</translation>
    </message>
    <message>
        <source>%1: plotted</source>
        <translation>%1: wird geplottet</translation>
    </message>
    <message>
        <source>Do not plot %1</source>
        <translation>%1 nicht plotten</translation>
    </message>
    <message>
        <source>Not plotted</source>
        <translation>Wird nicht geplottet</translation>
    </message>
    <message>
        <source>%1: not plotted</source>
        <translation>%1: wird nicht geplottet</translation>
    </message>
    <message>
        <source>Plot %1</source>
        <translation>%1 plotten</translation>
    </message>
    <message>
        <source>Frozen in new viewports</source>
        <translation>In neuen Ansichtsfenstern gefroren</translation>
    </message>
    <message>
        <source>%1: frozen in new viewports</source>
        <translation>%1: in neuen Ansichtsfenstern gefroren</translation>
    </message>
    <message>
        <source>Thawed in new viewports</source>
        <translation>In neuen Ansichtsfenstern getaut</translation>
    </message>
    <message>
        <source>%1: thawed in new viewports</source>
        <translation>%1: in neuen Ansichtsfenstern getaut</translation>
    </message>
    <message>
        <source>Frozen in this viewport</source>
        <translation>In diesem Ansichtsfenster gefroren</translation>
    </message>
    <message>
        <source>%1: frozen in this viewport</source>
        <translation>%1: in diesem Ansichtsfenster gefroren</translation>
    </message>
    <message>
        <source>Thawed in this viewport</source>
        <translation>In diesem Ansichtsfenster getaut</translation>
    </message>
    <message>
        <source>%1: thawed in this viewport</source>
        <translation>%1: in diesem Ansichtsfenster getaut</translation>
    </message>
</context>
<context>
    <name>KvCc::LineTypeComboBox</name>
    <message>
        <source>Others...</source>
        <translation>Andere...</translation>
    </message>
    <message>
        <source>By Layer</source>
        <translation>VonLayer</translation>
    </message>
    <message>
        <source>By Block</source>
        <translation>VonBlock</translation>
    </message>
</context>
<context>
    <name>KvCc::LineWeightList</name>
    <message>
        <source>By Layer</source>
        <translation>VonLayer</translation>
    </message>
    <message>
        <source>By Block</source>
        <translation>VonBlock</translation>
    </message>
    <message>
        <source>Default</source>
        <translation>Vorgabe</translation>
    </message>
</context>
<context>
    <name>KvCc::LineWidthComboBox</name>
    <message>
        <source>Lineweight settings...</source>
        <translation>Linienstärkeneinstellungen...</translation>
    </message>
</context>
<context>
    <name>KvCc::ListView</name>
    <message>
        <source>customListView</source>
        <extracomment>A name for code, never shown: keep it as it is.</extracomment>
        <translation>customListView</translation>
    </message>
    <message>
        <source>customSettingBtn</source>
        <extracomment>A name for code, never shown: keep it as it is.</extracomment>
        <translation>customSettingBtn</translation>
    </message>
</context>
<context>
    <name>KvCc::MinMaxButton</name>
    <message>
        <source>MinnMaxButton</source>
        <extracomment>A name for code, never shown: keep it as it is.</extracomment>
        <translation>MinnMaxButton</translation>
    </message>
</context>
<context>
    <name>KvCc::QKvColorComboBox</name>
    <message>
        <source>select a color...</source>
        <translation>Farbe wählen...</translation>
    </message>
    <message>
        <source>By Layer</source>
        <translation>VonLayer</translation>
    </message>
    <message>
        <source>By Block</source>
        <translation>VonBlock</translation>
    </message>
    <message>
        <source>Red</source>
        <translation>Rot</translation>
    </message>
    <message>
        <source>Yellow</source>
        <translation>Gelb</translation>
    </message>
    <message>
        <source>Green</source>
        <translation>Grün</translation>
    </message>
    <message>
        <source>Cyan</source>
        <translation>Cyan</translation>
    </message>
    <message>
        <source>Blue</source>
        <translation>Blau</translation>
    </message>
    <message>
        <source>Magenta</source>
        <translation>Magenta</translation>
    </message>
    <message>
        <source>White</source>
        <translation>Weiß</translation>
    </message>
    <message>
        <source>Select Color</source>
        <translation>Farbe wählen</translation>
    </message>
</context>
<context>
    <name>KvCc::SearchLayerEdit</name>
    <message>
        <source>searchBtn</source>
        <extracomment>A name for code, never shown: keep it as it is.</extracomment>
        <translation>searchBtn</translation>
    </message>
    <message>
        <source>Search for layer</source>
        <translation>Layer suchen</translation>
    </message>
</context>
<context>
    <name>KvCc::StandardViews</name>
    <message>
        <source>Top</source>
        <translation>Oben</translation>
    </message>
    <message>
        <source>Bottom</source>
        <translation>Unten</translation>
    </message>
    <message>
        <source>Left</source>
        <translation>Links</translation>
    </message>
    <message>
        <source>Right</source>
        <translation>Rechts</translation>
    </message>
    <message>
        <source>Front</source>
        <translation>Vorne</translation>
    </message>
    <message>
        <source>Back</source>
        <translation>Hinten</translation>
    </message>
    <message>
        <source>Southwest</source>
        <translation>Südwest</translation>
    </message>
    <message>
        <source>Southeast</source>
        <translation>Südost</translation>
    </message>
    <message>
        <source>Northeast</source>
        <translation>Nordost</translation>
    </message>
    <message>
        <source>Northwest</source>
        <translation>Nordwest</translation>
    </message>
</context>
<context>
    <name>KvCc::TextStyleComboBox</name>
    <message>
        <source>Manager Text Styles...</source>
        <translation>Textstile verwalten...</translation>
    </message>
</context>
<context>
    <name>KvCc::ViewButton</name>
    <message>
        <source>View: %1</source>
        <translation>Ansicht: %1</translation>
    </message>
    <message>
        <source>Standard view: %1</source>
        <translation>Standardansicht: %1</translation>
    </message>
    <message>
        <source>topMenu</source>
        <extracomment>A name for code, never shown: keep it as it is.</extracomment>
        <translation>topMenu</translation>
    </message>
    <message>
        <source>viewBtn</source>
        <extracomment>A name for code, never shown: keep it as it is.</extracomment>
        <translation>viewBtn</translation>
    </message>
</context>
<context>
    <name>KvCc::ViewGallery</name>
    <message>
        <source>Standard views</source>
        <translation>Standardansichten</translation>
    </message>
</context>
<context>
    <name>KvCc::ViewPortGallery</name>
    <message>
        <source>Single</source>
        <translation>Einzeln</translation>
    </message>
    <message>
        <source>Two:Vertical</source>
        <translation>Zwei:Vertikal</translation>
    </message>
    <message>
        <source>Two:Horizontal</source>
        <translation>Zwei:Horizontal</translation>
    </message>
    <message>
        <source>Three:Right</source>
        <translation>Drei:Rechts</translation>
    </message>
    <message>
        <source>Three:Left</source>
        <translation>Drei:Links</translation>
    </message>
    <message>
        <source>Three:Above</source>
        <translation>Drei:Oben</translation>
    </message>
    <message>
        <source>Three:Below</source>
        <translation>Drei:Unten</translation>
    </message>
    <message>
        <source>Three:Vertical</source>
        <translation>Drei:Vertikal</translation>
    </message>
    <message>
        <source>Three:Horizontal</source>
        <translation>Drei:Horizontal</translation>
    </message>
    <message>
        <source>Four:Equal</source>
        <translation>Vier:Gleich</translation>
    </message>
    <message>
        <source>Four:Right</source>
        <translation>Vier:Rechts</translation>
    </message>
    <message>
        <source>Four:Left</source>
        <translation>Vier:Links</translation>
    </message>
    <message>
        <source>Viewport layouts</source>
        <translation>Ansichtsfensterlayouts</translation>
    </message>
</context>
<context>
    <name>KvCc::VisualStyleComboBox</name>
    <message>
        <source>2D wireframe</source>
        <translation>2D-Drahtkörper</translation>
    </message>
    <message>
        <source>3D wireframe</source>
        <translation>3D-Drahtkörper</translation>
    </message>
    <message>
        <source>Hidden</source>
        <translation>Verdeckt</translation>
    </message>
    <message>
        <source>Flat</source>
        <translation>Flach</translation>
    </message>
    <message>
        <source>Gouraud</source>
        <translation>Gouraud</translation>
    </message>
    <message>
        <source>Flat+Egdes</source>
        <translation>Flach+Kanten</translation>
    </message>
    <message>
        <source>Gouraud+Egdes</source>
        <translation>Gouraud+Kanten</translation>
    </message>
</context>
<context>
    <name>LayerLTypeDialog</name>
    <message>
        <source>Select Linetype</source>
        <translation>Linientyp wählen</translation>
    </message>
    <message>
        <source>Loaded linetypes</source>
        <translation>Geladene Linientypen</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>loaded...</source>
        <translation>Laden...</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Hilfe</translation>
    </message>
</context>
<context>
    <name>LayerLWidthDialog</name>
    <message>
        <source>LineWeight</source>
        <translation>Linienstärke</translation>
    </message>
    <message>
        <source>Lineweights</source>
        <translation>Linienstärken</translation>
    </message>
    <message>
        <source>Original:</source>
        <translation>Original:</translation>
    </message>
    <message>
        <source>Default</source>
        <translation>Vorgabe</translation>
    </message>
    <message>
        <source>New:</source>
        <translation>Neu:</translation>
    </message>
    <message>
        <source>0.00mm</source>
        <translation>0.00 mm</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Hilfe</translation>
    </message>
</context>
<context>
    <name>LayerStatesDialog</name>
    <message>
        <source>Layer States</source>
        <translation>Layerstatus</translation>
    </message>
    <message>
        <source>Layer states:</source>
        <translation>Layerstatus:</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Description</source>
        <translation>Beschreibung</translation>
    </message>
    <message>
        <source>New...</source>
        <translation>Neu...</translation>
    </message>
    <message>
        <source>Rename...</source>
        <translation>Umbenennen...</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Löschen</translation>
    </message>
    <message>
        <source>Import...</source>
        <translation>Importieren...</translation>
    </message>
    <message>
        <source>Export...</source>
        <translation>Exportieren...</translation>
    </message>
    <message>
        <source>Properties to restore</source>
        <translation>Wiederherzustellende Eigenschaften</translation>
    </message>
    <message>
        <source>On/off</source>
        <translation>Ein/Aus</translation>
    </message>
    <message>
        <source>Frozen/thawed</source>
        <translation>Gefroren/getaut</translation>
    </message>
    <message>
        <source>Locked/unlocked</source>
        <translation>Gesperrt/entsperrt</translation>
    </message>
    <message>
        <source>Plot/no plot</source>
        <translation>Plotten/nicht plotten</translation>
    </message>
    <message>
        <source>New viewport freeze</source>
        <translation>In neuen Ansichtsfenstern gefroren</translation>
    </message>
    <message>
        <source>Color</source>
        <translation>Farbe</translation>
    </message>
    <message>
        <source>Linetype</source>
        <translation>Linientyp</translation>
    </message>
    <message>
        <source>Lineweight</source>
        <translation>Linienstärke</translation>
    </message>
    <message>
        <source>Current layer</source>
        <translation>Aktueller Layer</translation>
    </message>
    <message>
        <source>Turn off layers not found in the state</source>
        <translation>Layer ausschalten, die nicht im Status sind</translation>
    </message>
    <message>
        <source>Restore</source>
        <translation>Wiederherstellen</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
</context>
<context>
    <name>LayerWarning</name>
    <message>
        <source>Vantor</source>
        <translation>Vantor</translation>
    </message>
    <message>
        <source>The current layer is turn off.</source>
        <translation>Der aktuelle Layer wird ausgeschaltet.</translation>
    </message>
    <message>
        <source>Yes</source>
        <translation>Ja</translation>
    </message>
    <message>
        <source>No</source>
        <translation>Nein</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>LineWeightDialog</name>
    <message>
        <source>Lineweight Settings</source>
        <translation>Linienstärkeneinstellungen</translation>
    </message>
    <message>
        <source>Lineweights</source>
        <translation>Linienstärken</translation>
    </message>
    <message>
        <source>Units for Listing</source>
        <translation>Einheiten für Liste</translation>
    </message>
    <message>
        <source>Millimeters(mm)</source>
        <translation>Millimeter (mm)</translation>
    </message>
    <message>
        <source>Inches(in)</source>
        <translation>Zoll (in)</translation>
    </message>
    <message>
        <source>Display Lineweight</source>
        <translation>Linienstärke anzeigen</translation>
    </message>
    <message>
        <source>Default</source>
        <translation>Vorgabe</translation>
    </message>
    <message>
        <source>Adjust Display Scale</source>
        <translation>Anzeigeskalierung anpassen</translation>
    </message>
    <message>
        <source>Min</source>
        <translation>Min</translation>
    </message>
    <message>
        <source>Max</source>
        <translation>Max</translation>
    </message>
    <message>
        <source>   Current Lineweight: </source>
        <translation>   Aktuelle Linienstärke: </translation>
    </message>
    <message>
        <source>ByLayer</source>
        <translation>VonLayer</translation>
    </message>
    <message>
        <source>Ok</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Hilfe</translation>
    </message>
</context>
</TS>
