<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ru_RU">
<context>
    <name>KvCc::ColorComboBox</name>
    <message>
        <source>Select Color...</source>
        <translation>Выбор цвета...</translation>
    </message>
    <message>
        <source>Red</source>
        <translation>Красный</translation>
    </message>
    <message>
        <source>Yellow</source>
        <translation>Жёлтый</translation>
    </message>
    <message>
        <source>Green</source>
        <translation>Зелёный</translation>
    </message>
    <message>
        <source>Cyan</source>
        <translation>Голубой</translation>
    </message>
    <message>
        <source>Blue</source>
        <translation>Синий</translation>
    </message>
    <message>
        <source>Magenta</source>
        <translation>Пурпурный</translation>
    </message>
    <message>
        <source>White</source>
        <translation>Белый</translation>
    </message>
    <message>
        <source>Select Color</source>
        <translation>Выбор цвета</translation>
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
        <translation>Справка</translation>
    </message>
    <message>
        <source>Vantor help  doc!</source>
        <translation>Справка Vantor!</translation>
    </message>
</context>
<context>
    <name>KvCc::LayerDelegate</name>
    <message>
        <source>The current layer is turned off.</source>
        <translation>Текущий слой будет отключён.</translation>
    </message>
    <message>
        <source>The current layer can&apos;t be frozen!</source>
        <translation>Текущий слой нельзя заморозить!</translation>
    </message>
</context>
<context>
    <name>KvCc::LayerEdit</name>
    <message>
        <source>Current layer: %1</source>
        <translation>Текущий слой: %1</translation>
    </message>
</context>
<context>
    <name>KvCc::LayerItem</name>
    <message>
        <source>Color of %1</source>
        <translation>Цвет слоя %1</translation>
    </message>
</context>
<context>
    <name>KvCc::LayerLineTypeDialog</name>
    <message>
        <source>LineType</source>
        <translation>Тип линий</translation>
    </message>
    <message>
        <source>Appearance</source>
        <translation>Вид</translation>
    </message>
    <message>
        <source>Description</source>
        <translation>Описание</translation>
    </message>
    <message>
        <source>Solid Line</source>
        <translation>Сплошная линия</translation>
    </message>
</context>
<context>
    <name>KvCc::LayerManager</name>
    <message>
        <source>Layer Manager</source>
        <translation>Диспетчер слоёв</translation>
    </message>
    <message>
        <source>Current layer: %1</source>
        <translation>Текущий слой: %1</translation>
    </message>
    <message>
        <source>Layer States</source>
        <translation>Состояния слоёв</translation>
    </message>
</context>
<context>
    <name>KvCc::LayerState</name>
    <message>
        <source>Layer %1 could not be read.</source>
        <translation>Не удалось прочитать слой %1.</translation>
    </message>
    <message>
        <source>Layer %1 is current and cannot be frozen.</source>
        <translation>Слой %1 текущий, его нельзя заморозить.</translation>
    </message>
    <message>
        <source>Linetype %1 of layer %2 is not in the drawing.</source>
        <translation>Типа линий %1 слоя %2 нет в чертеже.</translation>
    </message>
    <message>
        <source>Layer %1 could not be changed.</source>
        <translation>Не удалось изменить слой %1.</translation>
    </message>
    <message>
        <source>The drawing refused a change to layer %1.</source>
        <translation>Чертёж отклонил изменение слоя %1.</translation>
    </message>
    <message>
        <source>Layer %1 could not be made current.</source>
        <translation>Не удалось сделать слой %1 текущим.</translation>
    </message>
    <message>
        <source>The entry %1 is missing or not valid.</source>
        <translation>Запись %1 отсутствует или недопустима.</translation>
    </message>
    <message>
        <source>The layer state holds more than %1 layers.</source>
        <translation>Состояние слоёв содержит более %1 слоёв.</translation>
    </message>
    <message>
        <source>The layer %1 is named twice.</source>
        <translation>Слой %1 указан дважды.</translation>
    </message>
    <message>
        <source>The file is too large for a layer state.</source>
        <translation>Файл слишком велик для состояния слоёв.</translation>
    </message>
    <message>
        <source>The file does not hold a layer state.</source>
        <translation>Файл не содержит состояния слоёв.</translation>
    </message>
    <message>
        <source>The layer state is of a format version this program cannot read.</source>
        <translation>Состояние слоёв записано в версии формата, которую эта программа не читает.</translation>
    </message>
</context>
<context>
    <name>KvCc::LayerStateStore</name>
    <message>
        <source>A layer state needs a name.</source>
        <translation>Состоянию слоёв нужно имя.</translation>
    </message>
    <message>
        <source>There is no layer state %1.</source>
        <translation>Состояния слоёв %1 нет.</translation>
    </message>
    <message>
        <source>A layer state named %1 exists already.</source>
        <translation>Состояние слоёв с именем %1 уже существует.</translation>
    </message>
</context>
<context>
    <name>KvCc::LayerStatesDialog</name>
    <message>
        <source>Layer state files (*.json)</source>
        <translation>Файлы состояний слоёв (*.json)</translation>
    </message>
    <message>
        <source>Name:</source>
        <translation>Имя:</translation>
    </message>
    <message>
        <source>Description:</source>
        <translation>Описание:</translation>
    </message>
    <message>
        <source>A layer state needs a name.</source>
        <translation>Состоянию слоёв нужно имя.</translation>
    </message>
    <message>
        <source>A layer state named %1 exists already. Replace it?</source>
        <translation>Состояние слоёв с именем %1 уже существует. Заменить его?</translation>
    </message>
    <message>
        <source>New Layer State</source>
        <translation>Новое состояние слоёв</translation>
    </message>
    <message>
        <source>... and %1 more.</source>
        <translation>... и ещё %1.</translation>
    </message>
    <message>
        <source>The layer state %1 was restored, but the drawing refused some changes:</source>
        <translation>Состояние слоёв %1 восстановлено, но чертёж отклонил некоторые изменения:</translation>
    </message>
    <message>
        <source>Rename Layer State</source>
        <translation>Переименовать состояние слоёв</translation>
    </message>
    <message>
        <source>A layer state named %1 exists already.</source>
        <translation>Состояние слоёв с именем %1 уже существует.</translation>
    </message>
    <message>
        <source>Delete the layer state %1?</source>
        <translation>Удалить состояние слоёв %1?</translation>
    </message>
    <message>
        <source>Export Layer State</source>
        <translation>Экспорт состояния слоёв</translation>
    </message>
    <message>
        <source>%1 is not a regular file.</source>
        <translation>%1 не является обычным файлом.</translation>
    </message>
    <message>
        <source>The layer state could not be written to %1: %2</source>
        <translation>Не удалось записать состояние слоёв в %1: %2</translation>
    </message>
    <message>
        <source>Import Layer State</source>
        <translation>Импорт состояния слоёв</translation>
    </message>
    <message>
        <source>%1 could not be read.</source>
        <translation>Не удалось прочитать %1.</translation>
    </message>
    <message>
        <source>%1 could not be imported: %2</source>
        <translation>Не удалось импортировать %1: %2</translation>
    </message>
    <message>
        <source>There is no drawing whose layers could be saved.</source>
        <translation>Нет чертежа, слои которого можно сохранить.</translation>
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
        <translation>Имя</translation>
    </message>
    <message>
        <source>On</source>
        <translation>Вкл</translation>
    </message>
    <message>
        <source>Freeze</source>
        <translation>Заморозить</translation>
    </message>
    <message>
        <source>Lock</source>
        <translation>Блокировать</translation>
    </message>
    <message>
        <source>Color</source>
        <translation>Цвет</translation>
    </message>
    <message>
        <source>Linetype</source>
        <translation>Тип линий</translation>
    </message>
    <message>
        <source>Lineweight</source>
        <translation>Вес линий</translation>
    </message>
    <message>
        <source>Plot Style</source>
        <translation>Стиль печати</translation>
    </message>
    <message>
        <source>Plot</source>
        <translation>Печать</translation>
    </message>
    <message>
        <source>New Viewport Freeze</source>
        <translation>Заморозить на новых ВЭ</translation>
    </message>
    <message>
        <source>VP Freeze</source>
        <translation>Заморозить на ВЭ</translation>
    </message>
    <message>
        <source>Description</source>
        <translation>Описание</translation>
    </message>
    <message>
        <source>Current layer</source>
        <translation>Текущий слой</translation>
    </message>
    <message>
        <source>%1: current layer</source>
        <translation>%1: текущий слой</translation>
    </message>
    <message>
        <source>Not current</source>
        <translation>Не текущий</translation>
    </message>
    <message>
        <source>%1: not current</source>
        <translation>%1: не текущий</translation>
    </message>
    <message>
        <source>%1: on</source>
        <translation>%1: вкл</translation>
    </message>
    <message>
        <source>Turn %1 off</source>
        <translation>Отключить %1</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>Откл</translation>
    </message>
    <message>
        <source>%1: off</source>
        <translation>%1: откл</translation>
    </message>
    <message>
        <source>Turn %1 on</source>
        <translation>Включить %1</translation>
    </message>
    <message>
        <source>Thawed</source>
        <translation>Разморожен</translation>
    </message>
    <message>
        <source>%1: thawed</source>
        <translation>%1: разморожен</translation>
    </message>
    <message>
        <source>Freeze %1</source>
        <translation>Заморозить %1</translation>
    </message>
    <message>
        <source>Frozen</source>
        <translation>Заморожен</translation>
    </message>
    <message>
        <source>%1: frozen</source>
        <translation>%1: заморожен</translation>
    </message>
    <message>
        <source>Thaw %1</source>
        <translation>Разморозить %1</translation>
    </message>
    <message>
        <source>Unlocked</source>
        <translation>Разблокирован</translation>
    </message>
    <message>
        <source>%1: unlocked</source>
        <translation>%1: разблокирован</translation>
    </message>
    <message>
        <source>Lock %1</source>
        <translation>Блокировать %1</translation>
    </message>
    <message>
        <source>Locked</source>
        <translation>Заблокирован</translation>
    </message>
    <message>
        <source>%1: locked</source>
        <translation>%1: заблокирован</translation>
    </message>
    <message>
        <source>Unlock %1</source>
        <translation>Разблокировать %1</translation>
    </message>
    <message>
        <source>Plotted</source>
        <translation>Выводится на печать</translation>
    </message>
    <message>
        <source>%1: plotted</source>
        <translation>%1: выводится на печать</translation>
    </message>
    <message>
        <source>Do not plot %1</source>
        <translation>Не печатать %1</translation>
    </message>
    <message>
        <source>Not plotted</source>
        <translation>Не выводится на печать</translation>
    </message>
    <message>
        <source>%1: not plotted</source>
        <translation>%1: не выводится на печать</translation>
    </message>
    <message>
        <source>Plot %1</source>
        <translation>Печатать %1</translation>
    </message>
    <message>
        <source>Frozen in new viewports</source>
        <translation>Заморожен на новых видовых экранах</translation>
    </message>
    <message>
        <source>%1: frozen in new viewports</source>
        <translation>%1: заморожен на новых видовых экранах</translation>
    </message>
    <message>
        <source>Thawed in new viewports</source>
        <translation>Разморожен на новых видовых экранах</translation>
    </message>
    <message>
        <source>%1: thawed in new viewports</source>
        <translation>%1: разморожен на новых видовых экранах</translation>
    </message>
    <message>
        <source>Frozen in this viewport</source>
        <translation>Заморожен на этом видовом экране</translation>
    </message>
    <message>
        <source>%1: frozen in this viewport</source>
        <translation>%1: заморожен на этом видовом экране</translation>
    </message>
    <message>
        <source>Thawed in this viewport</source>
        <translation>Разморожен на этом видовом экране</translation>
    </message>
    <message>
        <source>%1: thawed in this viewport</source>
        <translation>%1: разморожен на этом видовом экране</translation>
    </message>
</context>
<context>
    <name>KvCc::LineTypeComboBox</name>
    <message>
        <source>Others...</source>
        <translation>Другие...</translation>
    </message>
    <message>
        <source>By Layer</source>
        <translation>ПоСлою</translation>
    </message>
    <message>
        <source>By Block</source>
        <translation>ПоБлоку</translation>
    </message>
</context>
<context>
    <name>KvCc::LineWeightList</name>
    <message>
        <source>By Layer</source>
        <translation>ПоСлою</translation>
    </message>
    <message>
        <source>By Block</source>
        <translation>ПоБлоку</translation>
    </message>
    <message>
        <source>Default</source>
        <translation>По умолчанию</translation>
    </message>
</context>
<context>
    <name>KvCc::LineWidthComboBox</name>
    <message>
        <source>Lineweight settings...</source>
        <translation>Параметры весов линий...</translation>
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
        <translation>Выбрать цвет...</translation>
    </message>
    <message>
        <source>By Layer</source>
        <translation>ПоСлою</translation>
    </message>
    <message>
        <source>By Block</source>
        <translation>ПоБлоку</translation>
    </message>
    <message>
        <source>Red</source>
        <translation>Красный</translation>
    </message>
    <message>
        <source>Yellow</source>
        <translation>Жёлтый</translation>
    </message>
    <message>
        <source>Green</source>
        <translation>Зелёный</translation>
    </message>
    <message>
        <source>Cyan</source>
        <translation>Голубой</translation>
    </message>
    <message>
        <source>Blue</source>
        <translation>Синий</translation>
    </message>
    <message>
        <source>Magenta</source>
        <translation>Пурпурный</translation>
    </message>
    <message>
        <source>White</source>
        <translation>Белый</translation>
    </message>
    <message>
        <source>Select Color</source>
        <translation>Выбор цвета</translation>
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
        <translation>Поиск слоя</translation>
    </message>
</context>
<context>
    <name>KvCc::StandardViews</name>
    <message>
        <source>Top</source>
        <translation>Сверху</translation>
    </message>
    <message>
        <source>Bottom</source>
        <translation>Снизу</translation>
    </message>
    <message>
        <source>Left</source>
        <translation>Слева</translation>
    </message>
    <message>
        <source>Right</source>
        <translation>Справа</translation>
    </message>
    <message>
        <source>Front</source>
        <translation>Спереди</translation>
    </message>
    <message>
        <source>Back</source>
        <translation>Сзади</translation>
    </message>
    <message>
        <source>Southwest</source>
        <translation>ЮЗ изометрия</translation>
    </message>
    <message>
        <source>Southeast</source>
        <translation>ЮВ изометрия</translation>
    </message>
    <message>
        <source>Northeast</source>
        <translation>СВ изометрия</translation>
    </message>
    <message>
        <source>Northwest</source>
        <translation>СЗ изометрия</translation>
    </message>
</context>
<context>
    <name>KvCc::TextStyleComboBox</name>
    <message>
        <source>Manager Text Styles...</source>
        <translation>Диспетчер текстовых стилей...</translation>
    </message>
</context>
<context>
    <name>KvCc::ViewButton</name>
    <message>
        <source>View: %1</source>
        <translation>Вид: %1</translation>
    </message>
    <message>
        <source>Standard view: %1</source>
        <translation>Стандартный вид: %1</translation>
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
        <translation>Стандартные виды</translation>
    </message>
</context>
<context>
    <name>KvCc::ViewPortGallery</name>
    <message>
        <source>Single</source>
        <translation>Один</translation>
    </message>
    <message>
        <source>Two:Vertical</source>
        <translation>Два:Вертикально</translation>
    </message>
    <message>
        <source>Two:Horizontal</source>
        <translation>Два:Горизонтально</translation>
    </message>
    <message>
        <source>Three:Right</source>
        <translation>Три:Справа</translation>
    </message>
    <message>
        <source>Three:Left</source>
        <translation>Три:Слева</translation>
    </message>
    <message>
        <source>Three:Above</source>
        <translation>Три:Сверху</translation>
    </message>
    <message>
        <source>Three:Below</source>
        <translation>Три:Снизу</translation>
    </message>
    <message>
        <source>Three:Vertical</source>
        <translation>Три:Вертикально</translation>
    </message>
    <message>
        <source>Three:Horizontal</source>
        <translation>Три:Горизонтально</translation>
    </message>
    <message>
        <source>Four:Equal</source>
        <translation>Четыре:Равные</translation>
    </message>
    <message>
        <source>Four:Right</source>
        <translation>Четыре:Справа</translation>
    </message>
    <message>
        <source>Four:Left</source>
        <translation>Четыре:Слева</translation>
    </message>
    <message>
        <source>Viewport layouts</source>
        <translation>Конфигурации видовых экранов</translation>
    </message>
</context>
<context>
    <name>KvCc::VisualStyleComboBox</name>
    <message>
        <source>2D wireframe</source>
        <translation>2D-каркас</translation>
    </message>
    <message>
        <source>3D wireframe</source>
        <translation>3D-каркас</translation>
    </message>
    <message>
        <source>Hidden</source>
        <translation>Скрытие линий</translation>
    </message>
    <message>
        <source>Flat</source>
        <translation>Плоское</translation>
    </message>
    <message>
        <source>Gouraud</source>
        <translation>Гуро</translation>
    </message>
    <message>
        <source>Flat+Egdes</source>
        <translation>Плоское+кромки</translation>
    </message>
    <message>
        <source>Gouraud+Egdes</source>
        <translation>Гуро+кромки</translation>
    </message>
</context>
<context>
    <name>LayerLTypeDialog</name>
    <message>
        <source>Select Linetype</source>
        <translation>Выбор типа линий</translation>
    </message>
    <message>
        <source>Loaded linetypes</source>
        <translation>Загруженные типы линий</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>ОК</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Отмена</translation>
    </message>
    <message>
        <source>loaded...</source>
        <translation>Загрузить...</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Справка</translation>
    </message>
</context>
<context>
    <name>LayerLWidthDialog</name>
    <message>
        <source>LineWeight</source>
        <translation>Вес линий</translation>
    </message>
    <message>
        <source>Lineweights</source>
        <translation>Веса линий</translation>
    </message>
    <message>
        <source>Original:</source>
        <translation>Исходный:</translation>
    </message>
    <message>
        <source>Default</source>
        <translation>По умолчанию</translation>
    </message>
    <message>
        <source>New:</source>
        <translation>Новый:</translation>
    </message>
    <message>
        <source>0.00mm</source>
        <translation>0.00 мм</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>ОК</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Отмена</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Справка</translation>
    </message>
</context>
<context>
    <name>LayerStatesDialog</name>
    <message>
        <source>Layer States</source>
        <translation>Состояния слоёв</translation>
    </message>
    <message>
        <source>Layer states:</source>
        <translation>Состояния слоёв:</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Имя</translation>
    </message>
    <message>
        <source>Description</source>
        <translation>Описание</translation>
    </message>
    <message>
        <source>New...</source>
        <translation>Новое...</translation>
    </message>
    <message>
        <source>Rename...</source>
        <translation>Переименовать...</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Удалить</translation>
    </message>
    <message>
        <source>Import...</source>
        <translation>Импорт...</translation>
    </message>
    <message>
        <source>Export...</source>
        <translation>Экспорт...</translation>
    </message>
    <message>
        <source>Properties to restore</source>
        <translation>Восстанавливаемые свойства</translation>
    </message>
    <message>
        <source>On/off</source>
        <translation>Вкл/выкл</translation>
    </message>
    <message>
        <source>Frozen/thawed</source>
        <translation>Заморожен/разморожен</translation>
    </message>
    <message>
        <source>Locked/unlocked</source>
        <translation>Блокирован/разблокирован</translation>
    </message>
    <message>
        <source>Plot/no plot</source>
        <translation>Печать/без печати</translation>
    </message>
    <message>
        <source>New viewport freeze</source>
        <translation>Заморозка в новых видовых экранах</translation>
    </message>
    <message>
        <source>Color</source>
        <translation>Цвет</translation>
    </message>
    <message>
        <source>Linetype</source>
        <translation>Тип линий</translation>
    </message>
    <message>
        <source>Lineweight</source>
        <translation>Вес линий</translation>
    </message>
    <message>
        <source>Current layer</source>
        <translation>Текущий слой</translation>
    </message>
    <message>
        <source>Turn off layers not found in the state</source>
        <translation>Отключить слои, которых нет в состоянии</translation>
    </message>
    <message>
        <source>Restore</source>
        <translation>Восстановить</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Закрыть</translation>
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
        <translation>Текущий слой будет отключён.</translation>
    </message>
    <message>
        <source>Yes</source>
        <translation>Да</translation>
    </message>
    <message>
        <source>No</source>
        <translation>Нет</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>ОК</translation>
    </message>
</context>
<context>
    <name>LineWeightDialog</name>
    <message>
        <source>Lineweight Settings</source>
        <translation>Параметры весов линий</translation>
    </message>
    <message>
        <source>Lineweights</source>
        <translation>Веса линий</translation>
    </message>
    <message>
        <source>Units for Listing</source>
        <translation>Единицы измерения</translation>
    </message>
    <message>
        <source>Millimeters(mm)</source>
        <translation>Миллиметры (мм)</translation>
    </message>
    <message>
        <source>Inches(in)</source>
        <translation>Дюймы (in)</translation>
    </message>
    <message>
        <source>Display Lineweight</source>
        <translation>Отображать веса линий</translation>
    </message>
    <message>
        <source>Default</source>
        <translation>По умолчанию</translation>
    </message>
    <message>
        <source>Adjust Display Scale</source>
        <translation>Масштаб отображения</translation>
    </message>
    <message>
        <source>Min</source>
        <translation>Мин</translation>
    </message>
    <message>
        <source>Max</source>
        <translation>Макс</translation>
    </message>
    <message>
        <source>   Current Lineweight: </source>
        <translation>   Текущий вес линий: </translation>
    </message>
    <message>
        <source>ByLayer</source>
        <translation>ПоСлою</translation>
    </message>
    <message>
        <source>Ok</source>
        <translation>ОК</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Отмена</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Справка</translation>
    </message>
</context>
</TS>
