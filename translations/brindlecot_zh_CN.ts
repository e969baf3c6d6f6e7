<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN" sourcelanguage="ja">
<context>
    <name>BatchDriver</name>
    <message numerus="yes">
        <source>%n件を変換しました</source>
        <translation>
            <numerusform>已转换 %n 个文件</numerusform>
        </translation>
    </message>
    <message>
        <source>処理済みのリストを削除しますか？</source>
        <translation>要从列表中移除已转换的文件吗？</translation>
    </message>
    <message numerus="yes">
        <source>同じ名前のWAVファイルになる項目が%n件あります。変換元のフォルダ構成を出力先に作って別々に保存しますか？</source>
        <translation>
            <numerusform>有 %n 个文件会生成同名的 WAV 文件。要在目标位置重建源文件夹结构，分开保存吗？</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>出力先に同じ名前のファイルが%n件あります。上書きしますか？</source>
        <translation>
            <numerusform>目标位置已有 %n 个同名文件。要覆盖吗？</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n件は同じ名前のファイルがあるため変換しませんでした</source>
        <translation>
            <numerusform>%n 个文件因已存在同名文件而跳过</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n件のファイルを変換できませんでした</source>
        <translation>
            <numerusform>%n 个文件无法转换</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n件は中断したため変換していません</source>
        <translation>
            <numerusform>%n 个文件因中止而未转换</numerusform>
        </translation>
    </message>
    <message>
        <source>予期しないエラーのため変換できませんでした</source>
        <translation>发生了意外错误</translation>
    </message>
    <message>
        <source>予期しないエラーのため変換を中止しました</source>
        <translation>由于意外错误，转换已中止。</translation>
    </message>
    <message>
        <source>中断しました</source>
        <translation>已中止转换。</translation>
    </message>
    <message>
        <source>変換中に出力先に同じ名前のファイルが作られました</source>
        <translation>转换期间，其他程序在目标位置创建了同名文件</translation>
    </message>
    <message>
        <source>同じ名前のファイルがあるため変換しませんでした</source>
        <translation>已存在同名文件</translation>
    </message>
    <message>
        <source>出力先の空き容量がなくなりました</source>
        <translation>目标位置的可用空间已用完</translation>
    </message>
    <message>
        <source>出力ファイルが途中で切れています（空き容量を確認してください）</source>
        <translation>输出文件不完整（请检查可用空间）</translation>
    </message>
    <message>
        <source>音声データが見つかりませんでした</source>
        <translation>未找到音频数据</translation>
    </message>
    <message>
        <source>出力ファイルが正しいWAVファイルではありません（デコーダを確認してください）</source>
        <translation>输出文件不是有效的 WAV 文件（请检查解码器）</translation>
    </message>
    <message>
        <source>変換元ファイルが見つかりません</source>
        <translation>找不到源文件</translation>
    </message>
    <message>
        <source>MPEGオーディオとして読めません</source>
        <translation>无法作为 MPEG 音频读取</translation>
    </message>
    <message>
        <source>出力ファイルを作れません</source>
        <translation>无法创建输出文件</translation>
    </message>
    <message>
        <source>デコーダを起動できませんでした</source>
        <translation>无法启动解码器</translation>
    </message>
    <message>
        <source>デコーダが異常終了しました（シグナル%1）</source>
        <translation>解码器异常终止（信号 %1）</translation>
    </message>
    <message>
        <source>デコーダが終了コード%1で終了しました</source>
        <translation>解码器以退出码 %1 结束</translation>
    </message>
    <message>
        <source>出力ファイルが作成されませんでした</source>
        <translation>未生成输出文件</translation>
    </message>
    <message>
        <source>同じ名前の出力ファイルがこの変換で作成済みです</source>
        <translation>本次转换中已有文件生成了同名的 WAV 文件</translation>
    </message>
    <message>
        <source>出力先が変換元と同じファイルです</source>
        <translation>输出文件就是源文件本身</translation>
    </message>
    <message>
        <source>出力先に通常のファイルでないものがあります（削除するか別の出力先を選んでください）</source>
        <translation>输出位置上有非普通文件的对象（请删除它或选择其他目标位置）</translation>
    </message>
    <message>
        <source>%1秒</source>
        <translation>%1 秒</translation>
    </message>
    <message>
        <source>%1分%2秒</source>
        <translation>%1 分 %2 秒</translation>
    </message>
    <message>
        <source>元のファイルが途中で切れています（%1のうち%2）</source>
        <translation>源文件不完整（%1 中只有 %2）</translation>
    </message>
    <message>
        <source>出力先フォルダの外を指すリンクがあるため書き込みません</source>
        <translation>未写入，因为有链接指向目标文件夹之外</translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <source>brindlecot: %1: ファイルもフォルダもありません
</source>
        <translation>brindlecot: %1: 没有这个文件或文件夹
</translation>
    </message>
    <message>
        <source>brindlecot: オプションの値が正しくありません: %1
</source>
        <translation>brindlecot: 选项值无效: %1
</translation>
    </message>
    <message>
        <source>brindlecot: 変換するファイルかフォルダを指定してください
</source>
        <translation>brindlecot: 请指定要转换的文件或文件夹
</translation>
    </message>
    <message>
        <source>brindlecot: 不明なオプションです: %1
</source>
        <translation>brindlecot: 未知选项: %1
</translation>
    </message>
    <message>
        <source>詳しくは「brindlecot --help」を実行してください
</source>
        <translation>请执行“brindlecot --help”获取更多信息。
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
        <translation>用法：brindlecot [选项] [文件|文件夹]...
  或：brindlecot --convert [转换选项] 文件|文件夹...
用 lame 将 MPEG Audio 文件（.mpa .mp2 .mp3）转换为 WAV。
指定的文件和文件夹会像拖放时一样添加到转换列表。
使用 --convert 时不打开窗口，转换后直接退出。

  -h, --help     显示此帮助并退出
  -V, --version  显示版本并退出
  --             将之后的所有参数都视为文件名

转换选项：
  -t, --to 文件夹      WAV 文件的输出位置（不指定则放在源文件旁边）
      --replace        覆盖输出位置中的同名文件
      --flat           不按源文件夹结构分开同名的 WAV 文件，只保存第一个
      --no-subfolders  不搜索文件夹的子文件夹
      --no-tags        不将源文件的标签写入 WAV 文件
  -j, --jobs N         同时转换的文件数（默认 1，0 表示 CPU 核心数）
  -q, --quiet          只显示未生成 WAV 文件的文件
</translation>
    </message>
</context>
<context>
    <name>ConsoleBatch</name>
    <message>
        <source>MPEGオーディオをWAVに変換しています</source>
        <translation>正在将 MPEG 音频转换为 WAV</translation>
    </message>
    <message>
        <source>変換しました</source>
        <translation>已转换</translation>
    </message>
    <message>
        <source>[%1/%2] %3：%4
</source>
        <translation>[%1/%2] %3：%4
</translation>
    </message>
    <message>
        <source>[%1/%2] %3 %4% (全体 %5%、残り %6)</source>
        <translation>[%1/%2] %3 %4%（总体 %5%，剩余 %6）</translation>
    </message>
    <message>
        <source>brindlecot: %1: フォルダがありません
</source>
        <translation>brindlecot: %1: 没有这个文件夹
</translation>
    </message>
    <message>
        <source>brindlecot: 変換するMPEGオーディオファイルがありません
</source>
        <translation>brindlecot: 没有要转换的 MPEG 音频文件
</translation>
    </message>
</context>
<context>
    <name>FolderDialog</name>
    <message>
        <source>フォルダ</source>
        <translation>文件夹</translation>
    </message>
    <message>
        <source>フォルダを選択して下さい。</source>
        <translation>请选择文件夹。</translation>
    </message>
    <message>
        <source>フォルダ名</source>
        <translation>文件夹名称</translation>
    </message>
    <message>
        <source>キャンセル</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>%1 ディレクトリは存在しません</source>
        <translation>文件夹 %1 不存在。</translation>
    </message>
</context>
<context>
    <name>InstanceLink</name>
    <message>
        <source>brindlecot: 途中で切れた引き継ぎを捨てました
</source>
        <translation>brindlecot: 已丢弃中途断开的移交
</translation>
    </message>
    <message>
        <source>brindlecot: 時間内に届かなかった引き継ぎを捨てました
</source>
        <translation>brindlecot: 已丢弃未按时到达的移交
</translation>
    </message>
    <message>
        <source>brindlecot: %1バイトを超える引き継ぎを捨てました
</source>
        <translation>brindlecot: 已丢弃超过 %1 字节的移交
</translation>
    </message>
</context>
<context>
    <name>MpegHeader</name>
    <message>
        <source>MPEGオーディオのフレームヘッダが見つかりません</source>
        <translation>未找到 MPEG 音频帧头</translation>
    </message>
    <message>
        <source>ビットレート不明 </source>
        <translation>比特率未知 </translation>
    </message>
    <message>
        <source>ファイルを開けません</source>
        <translation>无法打开文件</translation>
    </message>
    <message>
        <source>通常のファイルではありません</source>
        <translation>不是普通文件</translation>
    </message>
    <message>
        <source>ファイルを読めません</source>
        <translation>无法读取文件</translation>
    </message>
    <message>
        <source>VBRかもしれません</source>
        <translation>这可能是 VBR 文件。</translation>
    </message>
</context>
<context>
    <name>ProcessingList</name>
    <message>
        <source>処理待ち</source>
        <translation>等待</translation>
    </message>
    <message>
        <source>処理中</source>
        <translation>转换中</translation>
    </message>
    <message>
        <source>処理済み</source>
        <translation>完成</translation>
    </message>
    <message>
        <source>失敗</source>
        <translation>失败</translation>
    </message>
    <message>
        <source>保留</source>
        <translation>跳过</translation>
    </message>
    <message>
        <source>処理リスト(mpa,mp2,mp3)</source>
        <translation>转换列表（.mpa、.mp2、.mp3）</translation>
    </message>
</context>
<context>
    <name>QtBoxes</name>
    <message>
        <source>確認</source>
        <translation>确认</translation>
    </message>
    <message>
        <source>はい(&amp;Y)</source>
        <translation>是(&amp;Y)</translation>
    </message>
    <message>
        <source>いいえ(&amp;N)</source>
        <translation>否(&amp;N)</translation>
    </message>
</context>
<context>
    <name>Settings</name>
    <message>
        <source>通常のファイルではありません</source>
        <translation>不是普通文件</translation>
    </message>
    <message>
        <source>設定ファイルを書けません</source>
        <translation>无法写入设置文件</translation>
    </message>
    <message>
        <source>設定ファイルを読めません</source>
        <translation>无法读取设置文件</translation>
    </message>
    <message>
        <source>設定フォルダを作れません</source>
        <translation>无法创建设置文件夹</translation>
    </message>
</context>
<context>
    <name>TForm1</name>
    <message>
        <source>brindlecotがあるフォルダかPATHにlameを置いてください</source>
        <translation>请将 lame 放在 brindlecot 所在的文件夹或 PATH 中。</translation>
    </message>
    <message>
        <source>%1がありません。<byte value="xd"/>
</source>
        <translation>找不到 %1。<byte value="xd"/>
</translation>
    </message>
    <message>
        <source>MPEGオーディオをWAVに変換しています</source>
        <translation>正在将 MPEG 音频转换为 WAV</translation>
    </message>
    <message>
        <source>変換が終わりました</source>
        <translation>转换完成</translation>
    </message>
    <message>
        <source>再生できるプログラムが見つかりません</source>
        <translation>找不到可以播放此文件的程序。</translation>
    </message>
    <message>
        <source>複数のファイルを同時に変換する</source>
        <translation>同时转换多个文件</translation>
    </message>
    <message>
        <source>常に前面に表示する</source>
        <translation>总在最前</translation>
    </message>
    <message>
        <source>このデスクトップ（Wayland）では、ここからは設定できません。ウィンドウメニューの「常に最前面」（Keep Above）を使ってください</source>
        <translation>此桌面（Wayland）不允许程序自行将窗口置顶。请改用窗口菜单中的“总在最前”（Keep Above）</translation>
    </message>
    <message>
        <source>変換元フォルダ</source>
        <translation>源文件夹</translation>
    </message>
    <message>
        <source>選択</source>
        <translation>选择</translation>
    </message>
    <message>
        <source>ダブルクリックで処理リスト追加</source>
        <translation>双击添加到转换列表</translation>
    </message>
    <message>
        <source>エクスプローラからD&amp;Dでも追加できます</source>
        <translation>也可以从文件管理器把文件拖放到这里</translation>
    </message>
    <message>
        <source>変換</source>
        <translation>转换</translation>
    </message>
    <message>
        <source>中断</source>
        <translation>中止</translation>
    </message>
    <message>
        <source>クリア</source>
        <translation>清除</translation>
    </message>
    <message>
        <source>リスト内をクリアします</source>
        <translation>清空列表</translation>
    </message>
    <message>
        <source>処理リストにフォルダをドロップした時にサブフォルダも検索する</source>
        <translation>拖放文件夹到转换列表时也搜索其子文件夹</translation>
    </message>
    <message>
        <source>変換先フォルダ</source>
        <translation>目标文件夹</translation>
    </message>
    <message>
        <source>処理/選択中のMPEG Audio情報</source>
        <translation>当前或所选文件的 MPEG Audio 信息</translation>
    </message>
    <message>
        <source>出力状況</source>
        <translation>输出状态</translation>
    </message>
    <message>
        <source>全体の進捗</source>
        <translation>总进度</translation>
    </message>
    <message>
        <source>個別の進捗</source>
        <translation>当前文件</translation>
    </message>
    <message>
        <source>MPEG Audio → WAV変換</source>
        <translation>MPEG Audio → WAV 转换</translation>
    </message>
    <message>
        <source>再生</source>
        <translation>播放</translation>
    </message>
    <message>
        <source>削除</source>
        <translation>移除</translation>
    </message>
    <message>
        <source>出力先フォルダを開く</source>
        <translation>打开输出文件夹</translation>
    </message>
    <message>
        <source>これから変換する項目</source>
        <translation>尚待转换的文件</translation>
    </message>
    <message>
        <source>変換している項目</source>
        <translation>正在转换的文件</translation>
    </message>
    <message>
        <source>変換できた項目</source>
        <translation>已转换的文件</translation>
    </message>
    <message>
        <source>変換できなかった項目。理由はその項目のヒントにあります</source>
        <translation>无法转换的文件。原因见该项目的提示</translation>
    </message>
    <message>
        <source>同じ名前のファイルがあるため変換しなかった項目。次の変換でまた試します</source>
        <translation>因已存在同名文件而跳过的文件。下次转换时会再试</translation>
    </message>
    <message>
        <source>変換元のファイル</source>
        <translation>源文件</translation>
    </message>
    <message>
        <source>処理リスト</source>
        <translation>转换列表</translation>
    </message>
    <message>
        <source>処理待ちのアイコン</source>
        <translation>“等待”图标</translation>
    </message>
    <message>
        <source>処理中のアイコン</source>
        <translation>“转换中”图标</translation>
    </message>
    <message>
        <source>処理済みのアイコン</source>
        <translation>“完成”图标</translation>
    </message>
    <message>
        <source>このウィンドウを他のウィンドウより前面に表示します</source>
        <translation>使此窗口保持在其他窗口之上</translation>
    </message>
    <message>
        <source>CPUのコアの数までのファイルを同時に変換します。変換中は変えられません</source>
        <translation>同时转换的文件数最多与 CPU 核心数相同。转换期间不能更改</translation>
    </message>
    <message>
        <source>変換するファイルを探すフォルダ</source>
        <translation>查找待转换文件的文件夹</translation>
    </message>
    <message>
        <source>選択した変換元フォルダ</source>
        <translation>所选的源文件夹</translation>
    </message>
    <message>
        <source>変換元フォルダを選ぶダイアログを開きます</source>
        <translation>打开选择源文件夹的对话框</translation>
    </message>
    <message>
        <source>変換元フォルダのMPEG Audioファイル。ダブルクリックかEnterで処理リストに追加します</source>
        <translation>源文件夹中的 MPEG Audio 文件。双击或按 Enter 添加到转换列表</translation>
    </message>
    <message>
        <source>変換するファイルと状態。Deleteキーで選択した項目を削除します</source>
        <translation>要转换的文件及其状态。按 Delete 键移除所选项目</translation>
    </message>
    <message>
        <source>処理リストのファイルをすべてWAVに変換します</source>
        <translation>将转换列表中的所有文件转换为 WAV</translation>
    </message>
    <message>
        <source>変換中のファイルが終わったところで変換を中断します</source>
        <translation>当前文件完成后中止转换</translation>
    </message>
    <message>
        <source>WAVファイルを書き出すフォルダ</source>
        <translation>写入 WAV 文件的文件夹</translation>
    </message>
    <message>
        <source>空のときは変換元と同じフォルダに書き出します</source>
        <translation>为空时写入源文件所在的文件夹</translation>
    </message>
    <message>
        <source>変換先フォルダを選ぶダイアログを開きます</source>
        <translation>打开选择目标文件夹的对话框</translation>
    </message>
    <message>
        <source>処理中または選択中のファイルの情報</source>
        <translation>正在转换或所选文件的信息</translation>
    </message>
    <message>
        <source>時間、バージョン、レイヤー、周波数、ビットレート、モード</source>
        <translation>时长、版本、层、采样率、比特率、模式</translation>
    </message>
    <message>
        <source>変換の進み具合</source>
        <translation>转换进度</translation>
    </message>
    <message>
        <source>処理リスト全体の変換の進み具合</source>
        <translation>整个转换列表的进度</translation>
    </message>
    <message>
        <source>変換中のファイルの進み具合</source>
        <translation>当前文件的转换进度</translation>
    </message>
    <message>
        <source>変換中のファイルの出力先</source>
        <translation>正在转换的文件的输出位置</translation>
    </message>
    <message>
        <source>出力ファイルの現在の大きさ</source>
        <translation>输出文件目前的大小</translation>
    </message>
    <message>
        <source>クリックでホームページを開きます</source>
        <translation>单击打开主页</translation>
    </message>
</context>
<context>
    <name>Text</name>
    <message>
        <source>%1：%2</source>
        <translation>%1：%2</translation>
    </message>
</context>
<context>
    <name>WavTags</name>
    <message>
        <source>タグを書き込めませんでした（%1）</source>
        <translation>无法写入标签（%1）</translation>
    </message>
</context>
</TS>
