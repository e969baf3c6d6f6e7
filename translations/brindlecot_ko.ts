<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ko" sourcelanguage="ja">
<context>
    <name>BatchDriver</name>
    <message numerus="yes">
        <source>%n件を変換しました</source>
        <translation>
            <numerusform>파일 %n개를 변환했습니다</numerusform>
        </translation>
    </message>
    <message>
        <source>処理済みのリストを削除しますか？</source>
        <translation>변환한 파일을 목록에서 지울까요?</translation>
    </message>
    <message numerus="yes">
        <source>同じ名前のWAVファイルになる項目が%n件あります。変換元のフォルダ構成を出力先に作って別々に保存しますか？</source>
        <translation>
            <numerusform>같은 이름의 WAV 파일이 되는 항목이 %n개 있습니다. 대상 위치에 원본 폴더 구조를 만들어 따로 저장할까요?</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>出力先に同じ名前のファイルが%n件あります。上書きしますか？</source>
        <translation>
            <numerusform>대상 위치에 같은 이름의 파일이 %n개 있습니다. 덮어쓸까요?</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n件は同じ名前のファイルがあるため変換しませんでした</source>
        <translation>
            <numerusform>같은 이름의 파일이 있어 %n개를 건너뛰었습니다</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n件のファイルを変換できませんでした</source>
        <translation>
            <numerusform>파일 %n개를 변환하지 못했습니다</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n件は中断したため変換していません</source>
        <translation>
            <numerusform>중단했으므로 %n개는 변환하지 않았습니다</numerusform>
        </translation>
    </message>
    <message>
        <source>予期しないエラーのため変換できませんでした</source>
        <translation>예기치 않은 오류가 발생했습니다</translation>
    </message>
    <message>
        <source>予期しないエラーのため変換を中止しました</source>
        <translation>예기치 않은 오류로 변환을 중단했습니다.</translation>
    </message>
    <message>
        <source>中断しました</source>
        <translation>변환을 중단했습니다.</translation>
    </message>
    <message>
        <source>変換中に出力先に同じ名前のファイルが作られました</source>
        <translation>변환하는 동안 다른 프로그램이 같은 이름의 파일을 만들었습니다</translation>
    </message>
    <message>
        <source>同じ名前のファイルがあるため変換しませんでした</source>
        <translation>같은 이름의 파일이 이미 있습니다</translation>
    </message>
    <message>
        <source>出力先の空き容量がなくなりました</source>
        <translation>대상 위치에 여유 공간이 없습니다</translation>
    </message>
    <message>
        <source>出力ファイルが途中で切れています（空き容量を確認してください）</source>
        <translation>출력 파일이 중간에 잘렸습니다(여유 공간을 확인하세요)</translation>
    </message>
    <message>
        <source>音声データが見つかりませんでした</source>
        <translation>오디오 데이터를 찾지 못했습니다</translation>
    </message>
    <message>
        <source>出力ファイルが正しいWAVファイルではありません（デコーダを確認してください）</source>
        <translation>출력 파일이 올바른 WAV 파일이 아닙니다(디코더를 확인하세요)</translation>
    </message>
    <message>
        <source>変換元ファイルが見つかりません</source>
        <translation>원본 파일을 찾을 수 없습니다</translation>
    </message>
    <message>
        <source>MPEGオーディオとして読めません</source>
        <translation>MPEG 오디오로 읽을 수 없습니다</translation>
    </message>
    <message>
        <source>出力ファイルを作れません</source>
        <translation>출력 파일을 만들 수 없습니다</translation>
    </message>
    <message>
        <source>デコーダを起動できませんでした</source>
        <translation>디코더를 시작하지 못했습니다</translation>
    </message>
    <message>
        <source>デコーダが異常終了しました（シグナル%1）</source>
        <translation>디코더가 비정상 종료했습니다(시그널 %1)</translation>
    </message>
    <message>
        <source>デコーダが終了コード%1で終了しました</source>
        <translation>디코더가 종료 코드 %1(으)로 끝났습니다</translation>
    </message>
    <message>
        <source>出力ファイルが作成されませんでした</source>
        <translation>출력 파일이 만들어지지 않았습니다</translation>
    </message>
    <message>
        <source>同じ名前の出力ファイルがこの変換で作成済みです</source>
        <translation>이번 변환에서 같은 이름의 WAV 파일을 이미 만들었습니다</translation>
    </message>
    <message>
        <source>出力先が変換元と同じファイルです</source>
        <translation>출력 파일이 원본 파일 자체입니다</translation>
    </message>
    <message>
        <source>出力先に通常のファイルでないものがあります（削除するか別の出力先を選んでください）</source>
        <translation>출력 위치에 일반 파일이 아닌 것이 있습니다(지우거나 다른 대상을 고르세요)</translation>
    </message>
    <message>
        <source>%1秒</source>
        <translation>%1초</translation>
    </message>
    <message>
        <source>%1分%2秒</source>
        <translation>%1분 %2초</translation>
    </message>
    <message>
        <source>元のファイルが途中で切れています（%1のうち%2）</source>
        <translation>원본 파일이 중간에 잘렸습니다(%1 중 %2)</translation>
    </message>
    <message>
        <source>出力先フォルダの外を指すリンクがあるため書き込みません</source>
        <translation>대상 폴더 밖을 가리키는 링크가 있어 쓰지 않았습니다</translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <source>brindlecot: %1: ファイルもフォルダもありません
</source>
        <translation>brindlecot: %1: 그런 파일이나 폴더가 없습니다
</translation>
    </message>
    <message>
        <source>brindlecot: オプションの値が正しくありません: %1
</source>
        <translation>brindlecot: 옵션 값이 올바르지 않습니다: %1
</translation>
    </message>
    <message>
        <source>brindlecot: 変換するファイルかフォルダを指定してください
</source>
        <translation>brindlecot: 변환할 파일이나 폴더를 지정하세요
</translation>
    </message>
    <message>
        <source>brindlecot: 不明なオプションです: %1
</source>
        <translation>brindlecot: 알 수 없는 옵션: %1
</translation>
    </message>
    <message>
        <source>詳しくは「brindlecot --help」を実行してください
</source>
        <translation>자세한 내용은 &apos;brindlecot --help&apos;를 실행하십시오.
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
        <translation>사용법: brindlecot [옵션] [파일|폴더]...
  또는: brindlecot --convert [변환 옵션] 파일|폴더...
MPEG Audio 파일(.mpa .mp2 .mp3)을 lame으로 WAV로 변환합니다.
지정한 파일과 폴더는 끌어다 놓았을 때처럼 변환 목록에 추가합니다.
--convert를 쓰면 창을 열지 않고 변환한 뒤 끝납니다.

  -h, --help     이 도움말을 보여 주고 끝냅니다
  -V, --version  버전을 보여 주고 끝냅니다
  --             이후의 모든 인수를 파일 이름으로 다룹니다

변환 옵션:
  -t, --to 폴더        WAV 파일을 저장할 곳(지정하지 않으면 원본 파일 옆)
      --replace        대상 위치에 있는 같은 이름의 파일을 덮어씁니다
      --flat           같은 이름의 WAV 파일을 원본 폴더 구조로 나누지 않고 첫 번째만 저장합니다
      --no-subfolders  폴더의 하위 폴더를 검색하지 않습니다
      --no-tags        원본의 태그를 WAV 파일에 쓰지 않습니다
  -j, --jobs N         동시에 변환할 파일 수(기본값 1, 0은 CPU 코어 수)
  -q, --quiet          WAV 파일을 만들지 못한 파일만 보여 줍니다
</translation>
    </message>
</context>
<context>
    <name>ConsoleBatch</name>
    <message>
        <source>MPEGオーディオをWAVに変換しています</source>
        <translation>MPEG 오디오를 WAV로 변환하는 중</translation>
    </message>
    <message>
        <source>変換しました</source>
        <translation>변환 완료</translation>
    </message>
    <message>
        <source>[%1/%2] %3：%4
</source>
        <translation>[%1/%2] %3: %4
</translation>
    </message>
    <message>
        <source>[%1/%2] %3 %4% (全体 %5%、残り %6)</source>
        <translation>[%1/%2] %3 %4% (전체 %5%, 남은 시간 %6)</translation>
    </message>
    <message>
        <source>brindlecot: %1: フォルダがありません
</source>
        <translation>brindlecot: %1: 그런 폴더가 없습니다
</translation>
    </message>
    <message>
        <source>brindlecot: 変換するMPEGオーディオファイルがありません
</source>
        <translation>brindlecot: 변환할 MPEG 오디오 파일이 없습니다
</translation>
    </message>
</context>
<context>
    <name>FolderDialog</name>
    <message>
        <source>フォルダ</source>
        <translation>폴더</translation>
    </message>
    <message>
        <source>フォルダを選択して下さい。</source>
        <translation>폴더를 선택하세요.</translation>
    </message>
    <message>
        <source>フォルダ名</source>
        <translation>폴더 이름</translation>
    </message>
    <message>
        <source>キャンセル</source>
        <translation>취소</translation>
    </message>
    <message>
        <source>%1 ディレクトリは存在しません</source>
        <translation>%1 폴더가 없습니다.</translation>
    </message>
</context>
<context>
    <name>InstanceLink</name>
    <message>
        <source>brindlecot: 途中で切れた引き継ぎを捨てました
</source>
        <translation>brindlecot: 중간에 끊긴 인계를 버렸습니다
</translation>
    </message>
    <message>
        <source>brindlecot: 時間内に届かなかった引き継ぎを捨てました
</source>
        <translation>brindlecot: 제시간에 오지 않은 인계를 버렸습니다
</translation>
    </message>
    <message>
        <source>brindlecot: %1バイトを超える引き継ぎを捨てました
</source>
        <translation>brindlecot: %1바이트를 넘는 인계를 버렸습니다
</translation>
    </message>
</context>
<context>
    <name>MpegHeader</name>
    <message>
        <source>MPEGオーディオのフレームヘッダが見つかりません</source>
        <translation>MPEG 오디오 프레임 헤더를 찾을 수 없습니다</translation>
    </message>
    <message>
        <source>ビットレート不明 </source>
        <translation>비트레이트 알 수 없음 </translation>
    </message>
    <message>
        <source>ファイルを開けません</source>
        <translation>파일을 열 수 없습니다</translation>
    </message>
    <message>
        <source>通常のファイルではありません</source>
        <translation>일반 파일이 아닙니다</translation>
    </message>
    <message>
        <source>ファイルを読めません</source>
        <translation>파일을 읽을 수 없습니다</translation>
    </message>
    <message>
        <source>VBRかもしれません</source>
        <translation>VBR 파일일 수 있습니다.</translation>
    </message>
</context>
<context>
    <name>ProcessingList</name>
    <message>
        <source>処理待ち</source>
        <translation>대기</translation>
    </message>
    <message>
        <source>処理中</source>
        <translation>진행</translation>
    </message>
    <message>
        <source>処理済み</source>
        <translation>완료</translation>
    </message>
    <message>
        <source>失敗</source>
        <translation>실패</translation>
    </message>
    <message>
        <source>保留</source>
        <translation>건너뜀</translation>
    </message>
    <message>
        <source>処理リスト(mpa,mp2,mp3)</source>
        <translation>변환 목록(.mpa, .mp2, .mp3)</translation>
    </message>
</context>
<context>
    <name>QtBoxes</name>
    <message>
        <source>確認</source>
        <translation>확인</translation>
    </message>
    <message>
        <source>はい(&amp;Y)</source>
        <translation>예(&amp;Y)</translation>
    </message>
    <message>
        <source>いいえ(&amp;N)</source>
        <translation>아니요(&amp;N)</translation>
    </message>
</context>
<context>
    <name>Settings</name>
    <message>
        <source>通常のファイルではありません</source>
        <translation>일반 파일이 아닙니다</translation>
    </message>
    <message>
        <source>設定ファイルを書けません</source>
        <translation>설정 파일을 쓸 수 없습니다</translation>
    </message>
    <message>
        <source>設定ファイルを読めません</source>
        <translation>설정 파일을 읽을 수 없습니다</translation>
    </message>
    <message>
        <source>設定フォルダを作れません</source>
        <translation>설정 폴더를 만들 수 없습니다</translation>
    </message>
</context>
<context>
    <name>TForm1</name>
    <message>
        <source>brindlecotがあるフォルダかPATHにlameを置いてください</source>
        <translation>lame을 brindlecot이 있는 폴더나 PATH에 두세요.</translation>
    </message>
    <message>
        <source>%1がありません。<byte value="xd"/>
</source>
        <translation>%1 파일이 없습니다.<byte value="xd"/>
</translation>
    </message>
    <message>
        <source>MPEGオーディオをWAVに変換しています</source>
        <translation>MPEG 오디오를 WAV로 변환하는 중</translation>
    </message>
    <message>
        <source>変換が終わりました</source>
        <translation>변환을 마쳤습니다</translation>
    </message>
    <message>
        <source>再生できるプログラムが見つかりません</source>
        <translation>이 파일을 재생할 프로그램을 찾지 못했습니다.</translation>
    </message>
    <message>
        <source>複数のファイルを同時に変換する</source>
        <translation>여러 파일을 동시에 변환</translation>
    </message>
    <message>
        <source>常に前面に表示する</source>
        <translation>항상 위에 표시</translation>
    </message>
    <message>
        <source>このデスクトップ（Wayland）では、ここからは設定できません。ウィンドウメニューの「常に最前面」（Keep Above）を使ってください</source>
        <translation>이 데스크톱(Wayland)에서는 여기서 설정할 수 없습니다. 창 메뉴의 “항상 위”(Keep Above)를 쓰세요</translation>
    </message>
    <message>
        <source>変換元フォルダ</source>
        <translation>원본 폴더</translation>
    </message>
    <message>
        <source>選択</source>
        <translation>선택</translation>
    </message>
    <message>
        <source>ダブルクリックで処理リスト追加</source>
        <translation>두 번 클릭하면 변환 목록에 추가합니다</translation>
    </message>
    <message>
        <source>エクスプローラからD&amp;Dでも追加できます</source>
        <translation>파일 관리자에서 끌어다 놓아도 추가됩니다</translation>
    </message>
    <message>
        <source>変換</source>
        <translation>변환</translation>
    </message>
    <message>
        <source>中断</source>
        <translation>중단</translation>
    </message>
    <message>
        <source>クリア</source>
        <translation>지우기</translation>
    </message>
    <message>
        <source>リスト内をクリアします</source>
        <translation>목록을 비웁니다</translation>
    </message>
    <message>
        <source>処理リストにフォルダをドロップした時にサブフォルダも検索する</source>
        <translation>목록에 폴더를 끌어다 놓으면 하위 폴더도 검색</translation>
    </message>
    <message>
        <source>変換先フォルダ</source>
        <translation>대상 폴더</translation>
    </message>
    <message>
        <source>処理/選択中のMPEG Audio情報</source>
        <translation>처리 중이거나 선택한 파일의 MPEG Audio 정보</translation>
    </message>
    <message>
        <source>出力状況</source>
        <translation>출력 상태</translation>
    </message>
    <message>
        <source>全体の進捗</source>
        <translation>전체 진행</translation>
    </message>
    <message>
        <source>個別の進捗</source>
        <translation>현재 파일</translation>
    </message>
    <message>
        <source>MPEG Audio → WAV変換</source>
        <translation>MPEG Audio → WAV 변환</translation>
    </message>
    <message>
        <source>再生</source>
        <translation>재생</translation>
    </message>
    <message>
        <source>削除</source>
        <translation>목록에서 제거</translation>
    </message>
    <message>
        <source>出力先フォルダを開く</source>
        <translation>출력 폴더 열기</translation>
    </message>
    <message>
        <source>これから変換する項目</source>
        <translation>아직 변환하지 않은 파일</translation>
    </message>
    <message>
        <source>変換している項目</source>
        <translation>변환 중인 파일</translation>
    </message>
    <message>
        <source>変換できた項目</source>
        <translation>변환한 파일</translation>
    </message>
    <message>
        <source>変換できなかった項目。理由はその項目のヒントにあります</source>
        <translation>변환하지 못한 파일. 이유는 그 항목의 도움말에 있습니다</translation>
    </message>
    <message>
        <source>同じ名前のファイルがあるため変換しなかった項目。次の変換でまた試します</source>
        <translation>같은 이름의 파일이 있어 건너뛴 파일. 다음 변환에서 다시 시도합니다</translation>
    </message>
    <message>
        <source>変換元のファイル</source>
        <translation>원본 파일</translation>
    </message>
    <message>
        <source>処理リスト</source>
        <translation>변환 목록</translation>
    </message>
    <message>
        <source>処理待ちのアイコン</source>
        <translation>‘대기’ 아이콘</translation>
    </message>
    <message>
        <source>処理中のアイコン</source>
        <translation>‘진행’ 아이콘</translation>
    </message>
    <message>
        <source>処理済みのアイコン</source>
        <translation>‘완료’ 아이콘</translation>
    </message>
    <message>
        <source>このウィンドウを他のウィンドウより前面に表示します</source>
        <translation>이 창을 다른 창보다 위에 표시합니다</translation>
    </message>
    <message>
        <source>CPUのコアの数までのファイルを同時に変換します。変換中は変えられません</source>
        <translation>CPU 코어 수만큼의 파일을 동시에 변환합니다. 변환 중에는 바꿀 수 없습니다</translation>
    </message>
    <message>
        <source>変換するファイルを探すフォルダ</source>
        <translation>변환할 파일을 찾을 폴더</translation>
    </message>
    <message>
        <source>選択した変換元フォルダ</source>
        <translation>선택한 원본 폴더</translation>
    </message>
    <message>
        <source>変換元フォルダを選ぶダイアログを開きます</source>
        <translation>원본 폴더를 고르는 대화 상자를 엽니다</translation>
    </message>
    <message>
        <source>変換元フォルダのMPEG Audioファイル。ダブルクリックかEnterで処理リストに追加します</source>
        <translation>원본 폴더의 MPEG Audio 파일. 두 번 클릭하거나 Enter를 누르면 변환 목록에 추가합니다</translation>
    </message>
    <message>
        <source>変換するファイルと状態。Deleteキーで選択した項目を削除します</source>
        <translation>변환할 파일과 상태. Delete 키로 선택한 항목을 목록에서 제거합니다</translation>
    </message>
    <message>
        <source>処理リストのファイルをすべてWAVに変換します</source>
        <translation>변환 목록의 모든 파일을 WAV로 변환합니다</translation>
    </message>
    <message>
        <source>変換中のファイルが終わったところで変換を中断します</source>
        <translation>변환 중인 파일이 끝나면 변환을 중단합니다</translation>
    </message>
    <message>
        <source>WAVファイルを書き出すフォルダ</source>
        <translation>WAV 파일을 저장할 폴더</translation>
    </message>
    <message>
        <source>空のときは変換元と同じフォルダに書き出します</source>
        <translation>비어 있으면 원본과 같은 폴더에 저장합니다</translation>
    </message>
    <message>
        <source>変換先フォルダを選ぶダイアログを開きます</source>
        <translation>대상 폴더를 고르는 대화 상자를 엽니다</translation>
    </message>
    <message>
        <source>処理中または選択中のファイルの情報</source>
        <translation>변환 중이거나 선택한 파일의 정보</translation>
    </message>
    <message>
        <source>時間、バージョン、レイヤー、周波数、ビットレート、モード</source>
        <translation>길이, 버전, 레이어, 샘플링 레이트, 비트레이트, 모드</translation>
    </message>
    <message>
        <source>変換の進み具合</source>
        <translation>변환 진행 상황</translation>
    </message>
    <message>
        <source>処理リスト全体の変換の進み具合</source>
        <translation>변환 목록 전체의 진행 상황</translation>
    </message>
    <message>
        <source>変換中のファイルの進み具合</source>
        <translation>변환 중인 파일의 진행 상황</translation>
    </message>
    <message>
        <source>変換中のファイルの出力先</source>
        <translation>변환 중인 파일을 저장하는 곳</translation>
    </message>
    <message>
        <source>出力ファイルの現在の大きさ</source>
        <translation>출력 파일의 현재 크기</translation>
    </message>
    <message>
        <source>クリックでホームページを開きます</source>
        <translation>클릭하면 홈페이지를 엽니다</translation>
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
        <translation>태그를 쓸 수 없습니다(%1)</translation>
    </message>
</context>
</TS>
