<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es" sourcelanguage="ja">
<context>
    <name>BatchDriver</name>
    <message numerus="yes">
        <source>%n件を変換しました</source>
        <translation>
            <numerusform>%n archivo convertido</numerusform>
            <numerusform>%n archivos convertidos</numerusform>
        </translation>
    </message>
    <message>
        <source>処理済みのリストを削除しますか？</source>
        <translation>¿Quitar de la lista los archivos convertidos?</translation>
    </message>
    <message numerus="yes">
        <source>同じ名前のWAVファイルになる項目が%n件あります。変換元のフォルダ構成を出力先に作って別々に保存しますか？</source>
        <translation>
            <numerusform>%n archivo daría un archivo WAV con el mismo nombre que otro. ¿Recrear las carpetas de origen en el destino para mantenerlos separados?</numerusform>
            <numerusform>%n archivos darían archivos WAV con los mismos nombres. ¿Recrear las carpetas de origen en el destino para mantenerlos separados?</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>出力先に同じ名前のファイルが%n件あります。上書きしますか？</source>
        <translation>
            <numerusform>Ya existe %n archivo WAV. ¿Reemplazarlo?</numerusform>
            <numerusform>Ya existen %n archivos WAV. ¿Reemplazarlos?</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n件は同じ名前のファイルがあるため変換しませんでした</source>
        <translation>
            <numerusform>%n archivo omitido porque ya existe uno con el mismo nombre</numerusform>
            <numerusform>%n archivos omitidos porque ya existen otros con los mismos nombres</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n件のファイルを変換できませんでした</source>
        <translation>
            <numerusform>No se pudo convertir %n archivo</numerusform>
            <numerusform>No se pudieron convertir %n archivos</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n件は中断したため変換していません</source>
        <translation>
            <numerusform>%n archivo sin convertir por la interrupción</numerusform>
            <numerusform>%n archivos sin convertir por la interrupción</numerusform>
        </translation>
    </message>
    <message>
        <source>予期しないエラーのため変換できませんでした</source>
        <translation>Se produjo un error inesperado</translation>
    </message>
    <message>
        <source>予期しないエラーのため変換を中止しました</source>
        <translation>La conversión se detuvo por un error inesperado.</translation>
    </message>
    <message>
        <source>中断しました</source>
        <translation>Conversión interrumpida.</translation>
    </message>
    <message>
        <source>変換中に出力先に同じ名前のファイルが作られました</source>
        <translation>Otro programa creó un archivo con el mismo nombre durante la conversión</translation>
    </message>
    <message>
        <source>同じ名前のファイルがあるため変換しませんでした</source>
        <translation>Ya existe un archivo con el mismo nombre</translation>
    </message>
    <message>
        <source>出力先の空き容量がなくなりました</source>
        <translation>No queda espacio libre en el destino</translation>
    </message>
    <message>
        <source>出力ファイルが途中で切れています（空き容量を確認してください）</source>
        <translation>El archivo de salida está incompleto (compruebe el espacio libre)</translation>
    </message>
    <message>
        <source>音声データが見つかりませんでした</source>
        <translation>No se encontraron datos de audio</translation>
    </message>
    <message>
        <source>出力ファイルが正しいWAVファイルではありません（デコーダを確認してください）</source>
        <translation>El archivo de salida no es un archivo WAV válido (compruebe el decodificador)</translation>
    </message>
    <message>
        <source>変換元ファイルが見つかりません</source>
        <translation>No se encontró el archivo de origen</translation>
    </message>
    <message>
        <source>MPEGオーディオとして読めません</source>
        <translation>No se puede leer como audio MPEG</translation>
    </message>
    <message>
        <source>出力ファイルを作れません</source>
        <translation>No se puede crear el archivo de salida</translation>
    </message>
    <message>
        <source>デコーダを起動できませんでした</source>
        <translation>No se pudo iniciar el decodificador</translation>
    </message>
    <message>
        <source>デコーダが異常終了しました（シグナル%1）</source>
        <translation>El decodificador terminó de forma anómala (señal %1)</translation>
    </message>
    <message>
        <source>デコーダが終了コード%1で終了しました</source>
        <translation>El decodificador terminó con el código %1</translation>
    </message>
    <message>
        <source>出力ファイルが作成されませんでした</source>
        <translation>No se creó ningún archivo de salida</translation>
    </message>
    <message>
        <source>同じ名前の出力ファイルがこの変換で作成済みです</source>
        <translation>Un archivo anterior de esta conversión ya generó un archivo WAV con este nombre</translation>
    </message>
    <message>
        <source>出力先が変換元と同じファイルです</source>
        <translation>La salida es el propio archivo de origen</translation>
    </message>
    <message>
        <source>出力先に通常のファイルでないものがあります（削除するか別の出力先を選んでください）</source>
        <translation>En la ruta de salida hay algo que no es un archivo normal (elimínelo o elija otro destino)</translation>
    </message>
    <message>
        <source>%1秒</source>
        <translation>%1 s</translation>
    </message>
    <message>
        <source>%1分%2秒</source>
        <translation>%1 min %2 s</translation>
    </message>
    <message>
        <source>元のファイルが途中で切れています（%1のうち%2）</source>
        <translation>El archivo de origen está cortado (%2 de %1)</translation>
    </message>
    <message>
        <source>出力先フォルダの外を指すリンクがあるため書き込みません</source>
        <translation>No se escribe porque un enlace lleva fuera de la carpeta de destino</translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <source>brindlecot: %1: ファイルもフォルダもありません
</source>
        <translation>brindlecot: %1: no existe ese archivo o carpeta
</translation>
    </message>
    <message>
        <source>brindlecot: オプションの値が正しくありません: %1
</source>
        <translation>brindlecot: valor no válido: %1
</translation>
    </message>
    <message>
        <source>brindlecot: 変換するファイルかフォルダを指定してください
</source>
        <translation>brindlecot: indique los archivos o carpetas que se deben convertir
</translation>
    </message>
    <message>
        <source>brindlecot: 不明なオプションです: %1
</source>
        <translation>brindlecot: opción desconocida: %1
</translation>
    </message>
    <message>
        <source>詳しくは「brindlecot --help」を実行してください
</source>
        <translation>Pruebe «brindlecot --help» para más información.
</translation>
    </message>
    <message>
        <source>使い方: brindlecot [オプション] [ファイル|フォルダ]...
  または brindlecot --convert [変換オプション] ファイル|フォルダ...
MPEG Audioファイル(.mpa .mp2 .mp3)をlameでWAVに変換します。
指定したファイルとフォルダは、ドロップした時と同じように処理リストに追加します。
--convertでは、ウィンドウを開かずにそれらを変換して終了します。

  -h, --help     この説明を表示して終了する
  -V, --version  バージョンを表示して終了する
  --             これ以降の引数をすべてファイル名として扱う

変換オプション:
  -t, --to フォルダ    WAVファイルの出力先(指定しなければ変換元と同じフォルダ)
      --replace        出力先にある同じ名前のファイルを上書きする
      --flat           同名のWAVファイルを変換元のフォルダ構成で分けず、最初のものだけ保存する
      --no-subfolders  フォルダのサブフォルダを検索しない
      --no-tags        変換元のタグをWAVファイルに書き込まない
  -j, --jobs N         同時に変換するファイルの数(既定は1、0はCPUのコア数)
  -q, --quiet          WAVファイルにならなかったファイルだけを表示する
</source>
        <translation>Uso: brindlecot [OPCIÓN] [ARCHIVO|CARPETA]...
  o:  brindlecot --convert [OPCIÓN DE CONVERSIÓN]... ARCHIVO|CARPETA...
Convierte archivos MPEG Audio (.mpa .mp2 .mp3) a WAV con lame.
Los archivos y carpetas indicados se añaden a la lista de conversión como si se soltaran en ella.
Con --convert se convierten sin abrir ninguna ventana y el programa termina.

  -h, --help     mostrar esta ayuda y salir
  -V, --version  mostrar la versión y salir
  --             tratar todos los argumentos siguientes como nombres de archivo

Opciones de conversión:
  -t, --to CARPETA     dónde van los archivos WAV (si no, junto a sus originales)
      --replace        reemplazar los archivos del mismo nombre en el destino
      --flat           no separar los WAV del mismo nombre: solo se crea el primero
      --no-subfolders  no buscar en las subcarpetas
      --no-tags        no copiar las etiquetas de los originales a los archivos WAV
  -j, --jobs N         archivos convertidos a la vez (1 por omisión; 0: uno por núcleo)
  -q, --quiet          mostrar solo los archivos que se quedaron sin WAV
</translation>
    </message>
</context>
<context>
    <name>ConsoleBatch</name>
    <message>
        <source>MPEGオーディオをWAVに変換しています</source>
        <translation>Convirtiendo audio MPEG a WAV</translation>
    </message>
    <message>
        <source>変換しました</source>
        <translation>convertido</translation>
    </message>
    <message>
        <source>[%1/%2] %3：%4
</source>
        <translation>[%1/%2] %3: %4
</translation>
    </message>
    <message>
        <source>[%1/%2] %3 %4% (全体 %5%、残り %6)</source>
        <translation>[%1/%2] %3 %4 % (total %5 %, quedan %6)</translation>
    </message>
    <message>
        <source>brindlecot: %1: フォルダがありません
</source>
        <translation>brindlecot: %1: no existe esa carpeta
</translation>
    </message>
    <message>
        <source>brindlecot: 変換するMPEGオーディオファイルがありません
</source>
        <translation>brindlecot: no hay archivos de audio MPEG que convertir
</translation>
    </message>
</context>
<context>
    <name>FolderDialog</name>
    <message>
        <source>フォルダ</source>
        <translation>Carpeta</translation>
    </message>
    <message>
        <source>フォルダを選択して下さい。</source>
        <translation>Elija una carpeta.</translation>
    </message>
    <message>
        <source>フォルダ名</source>
        <translation>Nombre de la carpeta</translation>
    </message>
    <message>
        <source>キャンセル</source>
        <translation>Cancelar</translation>
    </message>
    <message>
        <source>%1 ディレクトリは存在しません</source>
        <translation>La carpeta %1 no existe.</translation>
    </message>
</context>
<context>
    <name>InstanceLink</name>
    <message>
        <source>brindlecot: 途中で切れた引き継ぎを捨てました
</source>
        <translation>brindlecot: se descartó un traspaso interrumpido
</translation>
    </message>
    <message>
        <source>brindlecot: 時間内に届かなかった引き継ぎを捨てました
</source>
        <translation>brindlecot: se descartó un traspaso que no llegó a tiempo
</translation>
    </message>
    <message>
        <source>brindlecot: %1バイトを超える引き継ぎを捨てました
</source>
        <translation>brindlecot: se descartó un traspaso de más de %1 bytes
</translation>
    </message>
</context>
<context>
    <name>MpegHeader</name>
    <message>
        <source>MPEGオーディオのフレームヘッダが見つかりません</source>
        <translation>No se encontró ninguna cabecera de trama de audio MPEG</translation>
    </message>
    <message>
        <source>ビットレート不明 </source>
        <translation>Tasa de bits desconocida </translation>
    </message>
    <message>
        <source>ファイルを開けません</source>
        <translation>No se puede abrir el archivo</translation>
    </message>
    <message>
        <source>通常のファイルではありません</source>
        <translation>no es un archivo normal</translation>
    </message>
    <message>
        <source>ファイルを読めません</source>
        <translation>No se puede leer el archivo</translation>
    </message>
    <message>
        <source>VBRかもしれません</source>
        <translation>Puede que sea un archivo VBR.</translation>
    </message>
</context>
<context>
    <name>ProcessingList</name>
    <message>
        <source>処理待ち</source>
        <translation>En cola</translation>
    </message>
    <message>
        <source>処理中</source>
        <translation>Activo</translation>
    </message>
    <message>
        <source>処理済み</source>
        <translation>Hecho</translation>
    </message>
    <message>
        <source>失敗</source>
        <translation>Fallido</translation>
    </message>
    <message>
        <source>保留</source>
        <translation>Omitido</translation>
    </message>
    <message>
        <source>処理リスト(mpa,mp2,mp3)</source>
        <translation>Lista de conversión (.mpa, .mp2, .mp3)</translation>
    </message>
</context>
<context>
    <name>QtBoxes</name>
    <message>
        <source>確認</source>
        <translation>Confirmar</translation>
    </message>
    <message>
        <source>はい(&amp;Y)</source>
        <translation>&amp;Sí</translation>
    </message>
    <message>
        <source>いいえ(&amp;N)</source>
        <translation>&amp;No</translation>
    </message>
</context>
<context>
    <name>Settings</name>
    <message>
        <source>通常のファイルではありません</source>
        <translation>no es un archivo normal</translation>
    </message>
    <message>
        <source>設定ファイルを書けません</source>
        <translation>No se puede escribir el archivo de configuración</translation>
    </message>
    <message>
        <source>設定ファイルを読めません</source>
        <translation>No se puede leer el archivo de configuración</translation>
    </message>
    <message>
        <source>設定フォルダを作れません</source>
        <translation>No se puede crear la carpeta de configuración</translation>
    </message>
</context>
<context>
    <name>TForm1</name>
    <message>
        <source>brindlecotがあるフォルダかPATHにlameを置いてください</source>
        <translation>Coloque lame en la carpeta de brindlecot o en el PATH.</translation>
    </message>
    <message>
        <source>%1がありません。<byte value="xd"/>
</source>
        <translation>No se encuentra %1.<byte value="xd"/>
</translation>
    </message>
    <message>
        <source>MPEGオーディオをWAVに変換しています</source>
        <translation>Convirtiendo audio MPEG a WAV</translation>
    </message>
    <message>
        <source>変換が終わりました</source>
        <translation>Conversión terminada</translation>
    </message>
    <message>
        <source>再生できるプログラムが見つかりません</source>
        <translation>No se encontró ningún programa para reproducir este archivo.</translation>
    </message>
    <message>
        <source>複数のファイルを同時に変換する</source>
        <translation>Convertir varios archivos a la vez</translation>
    </message>
    <message>
        <source>常に前面に表示する</source>
        <translation>Siempre encima</translation>
    </message>
    <message>
        <source>このデスクトップ（Wayland）では、ここからは設定できません。ウィンドウメニューの「常に最前面」（Keep Above）を使ってください</source>
        <translation>Este escritorio (Wayland) no deja que un programa mantenga su ventana encima. Use en su lugar «Siempre encima» (Keep Above) del menú de la ventana</translation>
    </message>
    <message>
        <source>変換元フォルダ</source>
        <translation>Carpeta de origen</translation>
    </message>
    <message>
        <source>選択</source>
        <translation>…</translation>
    </message>
    <message>
        <source>ダブルクリックで処理リスト追加</source>
        <translation>Doble clic para añadir a la lista de conversión</translation>
    </message>
    <message>
        <source>エクスプローラからD&amp;Dでも追加できます</source>
        <translation>También se pueden soltar aquí archivos desde el gestor de archivos</translation>
    </message>
    <message>
        <source>変換</source>
        <translation>Convertir</translation>
    </message>
    <message>
        <source>中断</source>
        <translation>Detener</translation>
    </message>
    <message>
        <source>クリア</source>
        <translation>Vaciar</translation>
    </message>
    <message>
        <source>リスト内をクリアします</source>
        <translation>Vacía la lista</translation>
    </message>
    <message>
        <source>処理リストにフォルダをドロップした時にサブフォルダも検索する</source>
        <translation>Buscar también en subcarpetas de las carpetas soltadas</translation>
    </message>
    <message>
        <source>変換先フォルダ</source>
        <translation>Carpeta de destino</translation>
    </message>
    <message>
        <source>処理/選択中のMPEG Audio情報</source>
        <translation>Información MPEG Audio del archivo actual o elegido</translation>
    </message>
    <message>
        <source>出力状況</source>
        <translation>Salida</translation>
    </message>
    <message>
        <source>全体の進捗</source>
        <translation>Total</translation>
    </message>
    <message>
        <source>個別の進捗</source>
        <translation>Archivo</translation>
    </message>
    <message>
        <source>MPEG Audio → WAV変換</source>
        <translation>MPEG Audio → WAV</translation>
    </message>
    <message>
        <source>再生</source>
        <translation>Reproducir</translation>
    </message>
    <message>
        <source>削除</source>
        <translation>Quitar</translation>
    </message>
    <message>
        <source>出力先フォルダを開く</source>
        <translation>Abrir la carpeta de salida</translation>
    </message>
    <message>
        <source>これから変換する項目</source>
        <translation>Archivos pendientes de convertir</translation>
    </message>
    <message>
        <source>変換している項目</source>
        <translation>Archivos que se están convirtiendo</translation>
    </message>
    <message>
        <source>変換できた項目</source>
        <translation>Archivos convertidos</translation>
    </message>
    <message>
        <source>変換できなかった項目。理由はその項目のヒントにあります</source>
        <translation>Archivos que no se pudieron convertir; pase el puntero por uno para ver el motivo</translation>
    </message>
    <message>
        <source>同じ名前のファイルがあるため変換しなかった項目。次の変換でまた試します</source>
        <translation>Archivos omitidos porque ya existe uno con el mismo nombre; la próxima conversión lo vuelve a intentar</translation>
    </message>
    <message>
        <source>変換元のファイル</source>
        <translation>Archivos de origen</translation>
    </message>
    <message>
        <source>処理リスト</source>
        <translation>Lista de conversión</translation>
    </message>
    <message>
        <source>処理待ちのアイコン</source>
        <translation>Icono «En cola»</translation>
    </message>
    <message>
        <source>処理中のアイコン</source>
        <translation>Icono «Activo»</translation>
    </message>
    <message>
        <source>処理済みのアイコン</source>
        <translation>Icono «Hecho»</translation>
    </message>
    <message>
        <source>このウィンドウを他のウィンドウより前面に表示します</source>
        <translation>Mantiene esta ventana por encima de las demás</translation>
    </message>
    <message>
        <source>CPUのコアの数までのファイルを同時に変換します。変換中は変えられません</source>
        <translation>Convierte a la vez tantos archivos como núcleos tiene el procesador; no se puede cambiar durante una conversión</translation>
    </message>
    <message>
        <source>変換するファイルを探すフォルダ</source>
        <translation>La carpeta donde se buscan los archivos que convertir</translation>
    </message>
    <message>
        <source>選択した変換元フォルダ</source>
        <translation>La carpeta de origen elegida</translation>
    </message>
    <message>
        <source>変換元フォルダを選ぶダイアログを開きます</source>
        <translation>Abre un diálogo para elegir la carpeta de origen</translation>
    </message>
    <message>
        <source>変換元フォルダのMPEG Audioファイル。ダブルクリックかEnterで処理リストに追加します</source>
        <translation>Archivos MPEG Audio de la carpeta de origen. Doble clic o Intro añade uno a la lista de conversión</translation>
    </message>
    <message>
        <source>変換するファイルと状態。Deleteキーで選択した項目を削除します</source>
        <translation>Archivos que convertir y su estado. Supr quita los elementos elegidos</translation>
    </message>
    <message>
        <source>処理リストのファイルをすべてWAVに変換します</source>
        <translation>Convierte a WAV todos los archivos de la lista de conversión</translation>
    </message>
    <message>
        <source>変換中のファイルが終わったところで変換を中断します</source>
        <translation>Detiene la conversión al terminar el archivo actual</translation>
    </message>
    <message>
        <source>WAVファイルを書き出すフォルダ</source>
        <translation>La carpeta donde se escriben los archivos WAV</translation>
    </message>
    <message>
        <source>空のときは変換元と同じフォルダに書き出します</source>
        <translation>Si está vacía, los archivos se escriben junto a sus originales</translation>
    </message>
    <message>
        <source>変換先フォルダを選ぶダイアログを開きます</source>
        <translation>Abre un diálogo para elegir la carpeta de destino</translation>
    </message>
    <message>
        <source>処理中または選択中のファイルの情報</source>
        <translation>Información del archivo en curso o elegido</translation>
    </message>
    <message>
        <source>時間、バージョン、レイヤー、周波数、ビットレート、モード</source>
        <translation>Duración, versión, capa, frecuencia de muestreo, tasa de bits, modo</translation>
    </message>
    <message>
        <source>変換の進み具合</source>
        <translation>Progreso de la conversión</translation>
    </message>
    <message>
        <source>処理リスト全体の変換の進み具合</source>
        <translation>Progreso de toda la lista de conversión</translation>
    </message>
    <message>
        <source>変換中のファイルの進み具合</source>
        <translation>Progreso del archivo en curso</translation>
    </message>
    <message>
        <source>変換中のファイルの出力先</source>
        <translation>Dónde se escribe el archivo en curso</translation>
    </message>
    <message>
        <source>出力ファイルの現在の大きさ</source>
        <translation>Tamaño actual del archivo de salida</translation>
    </message>
    <message>
        <source>クリックでホームページを開きます</source>
        <translation>Haga clic para abrir la página web</translation>
    </message>
</context>
<context>
    <name>Text</name>
    <message>
        <source>%1：%2</source>
        <translation>%1: %2</translation>
    </message>
</context>
<context>
    <name>WavTags</name>
    <message>
        <source>タグを書き込めませんでした（%1）</source>
        <translation>No se pudieron escribir las etiquetas (%1)</translation>
    </message>
</context>
</TS>
